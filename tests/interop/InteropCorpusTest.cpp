// Every RTF file of tests/data/interop and every Word document of tests/data/office
// was written by another word processor (LibreOffice, AbiWord, pandoc) from one of
// the source documents beside them, and comes with the plain text LibreOffice
// extracts from it. Zorvan must read the same words in the same order, and a save
// and reload of what it read must give the same document back.
// bench/interop/make-corpus.sh and make-office-corpus.sh regenerate the files.

#include "tests/interop/CorpusWords.h"
#include "tests/interop/DocumentFeatures.h"
#include "tests/interop/DocumentSnapshot.h"

#include "editcontrol/PlainTextNotes.h"
#include "editcontrol/RichEditControl.h"
#include "richedit/TRichEditStrings.h"
#include "richedit/TZvRichEdit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QString corpusFolder()
{
    return QStringLiteral(ZORVAN_TEST_DATA "interop/");
}

QString officeCorpusFolder()
{
    return QStringLiteral(ZORVAN_TEST_DATA "office/");
}

// One document file and the text LibreOffice extracts from it.
struct CorpusDocument
{
    QString name;
    QString path;
    QString textPath;
};

void PrintTo(const CorpusDocument& document, std::ostream* out)
{
    *out << document.name.toStdString();
}

// The corpus files of one kind, sorted, each with NAME.txt beside it.
std::vector<CorpusDocument> corpusDocuments(const QString& folderPath = corpusFolder(),
                                            const QString& pattern = QStringLiteral("*.rtf"))
{
    std::vector<CorpusDocument> documents;
    const QDir folder(folderPath);
    for (const QFileInfo& file : folder.entryInfoList({pattern}, QDir::Files, QDir::Name))
        documents.push_back({file.completeBaseName(), file.filePath(),
                             folder.filePath(file.completeBaseName() + QStringLiteral(".txt"))});
    return documents;
}

// Real-world files from other projects, only when ZORVAN_SHARED_INTEROP names
// their folder (rtf/NAME.rtf, text/NAME.txt): bench/interop/check-peers.py runs
// the round trip over them. A clone of the repository has none, so the tests
// never need them.
std::vector<CorpusDocument> sharedDocuments()
{
    std::vector<CorpusDocument> documents;
    const QString root = qEnvironmentVariable("ZORVAN_SHARED_INTEROP");
    if (root.isEmpty())
        return documents;
    const QDir texts(root + QStringLiteral("/text"));
    const QDir folder(root + QStringLiteral("/rtf"));
    const QStringList patterns{QStringLiteral("*.rtf"), QStringLiteral("*.RTF")};
    for (const QFileInfo& file : folder.entryInfoList(patterns, QDir::Files, QDir::Name))
        documents.push_back({file.completeBaseName(), file.filePath(),
                             texts.filePath(file.completeBaseName() + QStringLiteral(".txt"))});
    return documents;
}

std::string testName(const QString& documentName)
{
    QString name = documentName;
    for (QChar& character : name)
        if (!(character.isLetterOrNumber() && character.unicode() < 128))
            character = u'_';
    return name.toStdString();
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()); // the UTF-8 byte-order mark is dropped as a non-word
}

QByteArray saveToBuffer(TZvRichEdit& editor, TRichStreamFormat format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    editor.Lines().setStreamFormat(format);
    editor.Lines().SaveToStream(buffer);
    return buffer.data();
}

void loadFromBytes(TZvRichEdit& editor, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    editor.Lines().setStreamFormat(TRichStreamFormat::sfRichText);
    editor.Lines().LoadFromStream(buffer);
}

class InteropCorpusTest : public ::testing::TestWithParam<CorpusDocument>
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.setMaxLength(0);
        editor.Lines().LoadFromFile(GetParam().path);
    }

    TZvRichEdit editor;
};

TEST_P(InteropCorpusTest, PlainTextHasLibreOfficesWords)
{
    // Every file of our own corpus has its text (InteropCorpus checks that);
    // LibreOffice could not read two of the real-world files.
    if (!QFile::exists(GetParam().textPath))
        GTEST_SKIP() << "LibreOffice has no text of " << GetParam().name.toStdString();
    const QStringList expected = CorpusWords(readText(GetParam().textPath));
    QString text = QString::fromUtf8(saveToBuffer(editor, TRichStreamFormat::sfPlainText));
    // LibreOffice's text leaves out the notes that ours puts after the document.
    const qsizetype notes = text.lastIndexOf(QStringLiteral("\r\n") + PlainTextNotes::Separator.toString() +
                                             QStringLiteral("\r\n"));
    if (notes >= 0)
        text.truncate(notes);
    const QString difference = FirstWordDifference(expected, CorpusWords(text));
    EXPECT_TRUE(difference.isEmpty()) << difference.toStdString();
}

TEST_P(InteropCorpusTest, SavedRtfIsSevenBit)
{
    const QByteArray rtf = saveToBuffer(editor, TRichStreamFormat::sfRichText);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    const auto wide = std::find_if(rtf.begin(), rtf.end(), [](char byte) { return byte & 0x80; });
    if (wide != rtf.end())
        ADD_FAILURE()
            << "byte " << std::distance(rtf.begin(), wide) << " of the saved RTF has the high bit set: "
            << rtf.mid(std::max<qsizetype>(0, std::distance(rtf.begin(), wide) - 40), 40).toStdString();
}

TEST_P(InteropCorpusTest, SaveAndReloadKeepsTextAndFormatsRunByRun)
{
    const QByteArray rtf = saveToBuffer(editor, TRichStreamFormat::sfRichText);
    TZvRichEdit reloaded;
    reloaded.setMaxLength(0);
    loadFromBytes(reloaded, rtf);

    EXPECT_EQ(reloaded.Text(), editor.Text());
    const std::vector<BlockSnapshot> original = SnapshotDocument(*editor.control()->document());
    const std::vector<BlockSnapshot> again = SnapshotDocument(*reloaded.control()->document());
    EXPECT_EQ(again.size(), original.size());
    // Block by block, so a failure names the paragraph; a few are enough to see the fault.
    int reported = 0;
    for (size_t index = 0; index < std::min(original.size(), again.size()) && reported < 3; ++index) {
        if (again[index] == original[index])
            continue;
        ++reported;
        ADD_FAILURE() << "block " << index << " differs after save and reload: "
                      << DescribeDifference(original[index], again[index]).toStdString()
                      << "\noriginal: " << ::testing::PrintToString(original[index])
                      << "\nreloaded: " << ::testing::PrintToString(again[index]);
    }
}

// What Zorvan writes it reads back exactly, so saving what it read from its own
// file writes the same file again: nothing drifts from save to save.
TEST_P(InteropCorpusTest, SavingAReloadedDocumentWritesTheSameRtf)
{
    const QByteArray first = saveToBuffer(editor, TRichStreamFormat::sfRichText);
    TZvRichEdit reloaded;
    reloaded.setMaxLength(0);
    loadFromBytes(reloaded, first);
    const QByteArray second = saveToBuffer(reloaded, TRichStreamFormat::sfRichText);
    if (first == second)
        return;
    qsizetype index = 0;
    while (index < first.size() && index < second.size() && first.at(index) == second.at(index))
        ++index;
    const qsizetype from = std::max<qsizetype>(0, index - 60);
    ADD_FAILURE() << "the second save differs from byte " << index
                  << ":\nfirst:  " << first.mid(from, 120).toStdString()
                  << "\nsecond: " << second.mid(from, 120).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Corpus, InteropCorpusTest, ::testing::ValuesIn(corpusDocuments()),
                         [](const auto& info) { return testName(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Office, InteropCorpusTest,
                         ::testing::ValuesIn(corpusDocuments(officeCorpusFolder(), QStringLiteral("*.docx"))),
                         [](const auto& info) { return testName(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Shared, InteropCorpusTest, ::testing::ValuesIn(sharedDocuments()),
                         [](const auto& info) { return testName(info.param.name); });

// The round trip above proves little if the formatting never reached the editor:
// each row lists what the peer wrote into that RTF file from the source document
// (pandoc's writer drops fonts, colours, alignment and real lists; AbiWord writes
// every numbered list as decimal).
struct ExpectedFormatting
{
    const char* document;
    QStringList features;
    const char* folder = "interop/";
    const char* extension = ".rtf";
};

void PrintTo(const ExpectedFormatting& row, std::ostream* out)
{
    *out << row.document;
}

const QStringList CharacterAttributes{"bold",          "italic",       "underline", "strike",
                                      "text colour",   "highlight",    "subscript", "superscript",
                                      "several fonts", "several sizes"};
const QStringList ParagraphAttributes{"centred",      "right aligned",     "justified",      "left indent",
                                      "right indent", "first-line indent", "hanging indent", "space before",
                                      "space after",  "line spacing"};
const QStringList SeznamyLinks{"link https://www.example.cz/zorvan", "link mailto:podpora@example.cz"};
const QStringList PoznamkyContent{"table 3x3",   "link https://intranet.example.cz/zapisy",
                                  "png picture", "bold",
                                  "italic",      "strike",
                                  "subscript",   "superscript"};

const ExpectedFormatting FormattingRows[] = {
    {"libreoffice-pismo", CharacterAttributes + ParagraphAttributes},
    {"abiword-pismo", CharacterAttributes + ParagraphAttributes},
    {"pandoc-pismo", {"bold", "italic", "underline", "strike", "subscript", "superscript", "centred"}},
    {"libreoffice-seznamy",
     QStringList{"bulleted list", "numbered list", "lettered list", "roman list", "table 4x3"} +
         SeznamyLinks},
    {"abiword-seznamy", QStringList{"bulleted list", "numbered list", "table 4x3"} + SeznamyLinks},
    {"pandoc-seznamy", QStringList{"table 4x3"} + SeznamyLinks},
    {"libreoffice-jazyky", {"png picture"}},
    {"abiword-jazyky", {"png picture"}},
    {"pandoc-jazyky", {"png picture"}},
    {"libreoffice-obrazky", {"png picture"}},
    {"abiword-obrazky", {"png picture"}},
    {"pandoc-obrazky", {"png picture"}},
    {"libreoffice-poznamky", QStringList{"bulleted list", "numbered list"} + PoznamkyContent},
    {"abiword-poznamky", QStringList{"bulleted list", "numbered list"} + PoznamkyContent},
    {"pandoc-poznamky", PoznamkyContent},
};

// The same from the Word documents of the peers (pandoc writes paragraph formats as named
// styles only, LibreOffice links the pictures of HTML instead of holding them, writes the
// bullets of the nested list as letters, and AbiWord numbers every level in digits).
const ExpectedFormatting OfficeFormattingRows[] = {
    {"libreoffice-pismo", CharacterAttributes + ParagraphAttributes, "office/", ".docx"},
    {"abiword-pismo", CharacterAttributes + ParagraphAttributes, "office/", ".docx"},
    {"pandoc-pismo",
     {"bold", "italic", "underline", "strike", "subscript", "superscript"},
     "office/",
     ".docx"},
    {"libreoffice-seznamy",
     QStringList{"bulleted list", "numbered list", "lettered list", "roman list", "table 4x3"} + SeznamyLinks,
     "office/", ".docx"},
    {"abiword-seznamy", QStringList{"bulleted list", "numbered list", "table 4x3"} + SeznamyLinks, "office/",
     ".docx"},
    {"pandoc-seznamy", QStringList{"bulleted list", "numbered list", "table 4x3"} + SeznamyLinks, "office/",
     ".docx"},
    {"libreoffice-struktura",
     {"numbered list", "lettered list", "roman list", "text colour", "several fonts", "bold", "italic",
      "centred"},
     "office/",
     ".docx"},
    {"abiword-struktura",
     {"numbered list", "bulleted list", "text colour", "bold", "italic", "centred"},
     "office/",
     ".docx"},
    {"abiword-obrazky", {"png picture"}, "office/", ".docx"},
    {"pandoc-obrazky", {"png picture"}, "office/", ".docx"},
    {"libreoffice-poznamky", {"table 3x3"}, "office/", ".docx"},
    {"abiword-poznamky", {"table 3x3"}, "office/", ".docx"},
    {"pandoc-poznamky", {"png picture", "table 3x3"}, "office/", ".docx"},
    {"pandoc-struktura",
     {"numbered list", "lettered list", "roman list", "bulleted list", "bold", "italic"},
     "office/",
     ".docx"},
};

class InteropFormattingTest : public ::testing::TestWithParam<ExpectedFormatting>
{
};

TEST_P(InteropFormattingTest, PeersFormattingReachesTheEditor)
{
    TZvRichEdit editor;
    editor.Lines().LoadFromFile(QStringLiteral(ZORVAN_TEST_DATA) + QLatin1String(GetParam().folder) +
                                QLatin1String(GetParam().document) + QLatin1String(GetParam().extension));
    const QSet<QString> found = DocumentFeatures(*editor.control()->document());
    for (const QString& feature : GetParam().features)
        EXPECT_TRUE(found.contains(feature)) << "missing: " << feature.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, InteropFormattingTest, ::testing::ValuesIn(FormattingRows),
    [](const ::testing::TestParamInfo<ExpectedFormatting>& info) {
        return QString::fromLatin1(info.param.document).replace(u'-', u'_').toStdString();
    });
INSTANTIATE_TEST_SUITE_P(
    Office, InteropFormattingTest, ::testing::ValuesIn(OfficeFormattingRows),
    [](const ::testing::TestParamInfo<ExpectedFormatting>& info) {
        return QString::fromLatin1(info.param.document).replace(u'-', u'_').toStdString();
    });

// Lists saved as plain text keep their labels, laid out as LibreOffice's text export lays
// them out: the peers' list files give LibreOffice's text line for line.
TEST(InteropListLabels, PlainTextListsAreLibreOfficesLines)
{
    for (const char* name : {"libreoffice-seznamy", "abiword-seznamy", "pandoc-seznamy"}) {
        TZvRichEdit editor;
        editor.setMaxLength(0);
        editor.Lines().LoadFromFile(corpusFolder() + QLatin1String(name) + QStringLiteral(".rtf"));
        // Line for line; the line breaks at the end differ with the empty paragraphs there.
        const auto lines = [](QString text) {
            text.remove(QChar(0xFEFF)).replace(QLatin1String("\r\n"), QLatin1String("\n"));
            while (text.endsWith(u'\n'))
                text.chop(1);
            return text.split(u'\n');
        };
        EXPECT_EQ(lines(QString::fromUtf8(saveToBuffer(editor, TRichStreamFormat::sfPlainText))),
                  lines(readText(corpusFolder() + QLatin1String(name) + QStringLiteral(".txt"))))
            << name;
    }
}

TEST(InteropListLabels, NumberingStylesGiveTheirLabels)
{
    const QByteArray item = "\\pard\\fi-360\\li720{\\*\\pn\\pnlvlbody";
    const struct
    {
        QByteArray numbering;
        const char* labels; // of two items
    } cases[] = {
        {"\\pndec{\\pntxta .}}", "1. |2. "},
        {"\\pnlcltr{\\pntxta )}}", "a) |b) "},
        {"\\pnucrm\\pnstart4{\\pntxtb (}{\\pntxta )}}", "(IV) |(V) "},
        {"\\pndec\\pnstart9}", "9 |10 "},
    };
    for (const auto& entry : cases) {
        TZvRichEdit editor;
        loadFromBytes(editor, "{\\rtf1\\ansi Pred\\par " + item + entry.numbering + "A\\par " + item +
                                  entry.numbering + "B\\par\\pard Po\\par}");
        const QStringList labels = QString::fromLatin1(entry.labels).split(u'|');
        const QString expected = QStringLiteral("Pred\r\n    ") + labels.at(0) + QStringLiteral("A\r\n    ") +
                                 labels.at(1) + QStringLiteral("B\r\nPo");
        EXPECT_EQ(QString::fromUtf8(saveToBuffer(editor, TRichStreamFormat::sfPlainText)), expected)
            << entry.numbering.constData();
    }
}

// A level's label may hold the numbers of the levels above it ("2.1."); LibreOffice's text
// export of the first list gives the lines expected. A legal level (as Word shows it) writes
// every number of its label in arabic.
TEST(InteropListLabels, LevelTextsGiveTheNumbersOfTheLevelsAbove)
{
    const struct
    {
        QByteArray innerLevelText;
        QByteArray outerFormat, innerFormat; // \levelnfc, then the inner level's other words
        const char* labels;                  // A, AA, AB, B, BA
    } cases[] = {
        {"\\'04\\'00.\\'01.", "0", "0", "1.|1.1.|1.2.|2.|2.1."},
        {"\\'03\\'00\\u8211 ?\\'01", "0", "4", "1.|1\u2013a|1\u2013b|2.|2\u2013a"},
        {"\\'03\\'00.\\'01", "1", "4\\levellegal1", "I.|1.1|1.2|II.|2.1"},
        {"\\'03\\'00.\\'01", "1", "0\\levellegal0", "I.|I.1|I.2|II.|II.1"},
    };
    for (const auto& entry : cases) {
        const QByteArray level = "{\\listlevel\\levelnfc";
        TZvRichEdit editor;
        loadFromBytes(
            editor,
            "{\\rtf1\\ansi{\\*\\listtable{\\list" + level + entry.outerFormat +
                "{\\leveltext\\'02\\'00.;}\\fi-360\\li720}" + level + entry.innerFormat + "{\\leveltext" +
                entry.innerLevelText +
                ";}\\fi-360\\li1440}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                "\\pard Pred\\par\\ls1\\ilvl0 A\\par\\ilvl1 AA\\par AB\\par\\ilvl0 B\\par\\ilvl1 BA\\par"
                "\\pard Po\\par}");
        const QStringList labels = QString::fromUtf8(entry.labels).split(u'|');
        const QString expected =
            QStringLiteral("Pred\r\n    %1 A\r\n        %2 AA\r\n        %3 AB\r\n    %4 B\r\n"
                           "        %5 BA\r\nPo")
                .arg(labels.at(0), labels.at(1), labels.at(2), labels.at(3), labels.at(4));
        EXPECT_EQ(QString::fromUtf8(saveToBuffer(editor, TRichStreamFormat::sfPlainText)), expected)
            << entry.innerFormat.constData();
        // The level texts are written back to RTF.
        TZvRichEdit reread;
        loadFromBytes(reread, saveToBuffer(editor, TRichStreamFormat::sfRichText));
        EXPECT_EQ(QString::fromUtf8(saveToBuffer(reread, TRichStreamFormat::sfPlainText)), expected)
            << "written back: " << entry.innerFormat.constData();
    }
}

// Notes follow the document's text, footnotes before endnotes, each after its mark.
TEST(InteropNotes, PlainTextPutsNotesAfterTheDocument)
{
    TZvRichEdit editor;
    // The note's bytes are in the document's code page: \'e8 is "č" in 1250.
    loadFromBytes(
        editor,
        "{\\rtf1\\ansi\\ansicpg1250 Prvni{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} Pata \\'e8.}"
        " druhy{\\super\\chftn}{\\footnote\\ftnalt\\pard{\\super\\chftn} Konec.}"
        " treti*{\\footnote\\pard * Pata dve.}\\par Dal\\par}");
    EXPECT_EQ(
        QString::fromUtf8(saveToBuffer(editor, TRichStreamFormat::sfPlainText)),
        QStringLiteral("Prvni1 druhyi treti*\r\nDal\r\n\r\n__________\r\n[1] Pata č.\r\n[*] Pata dve.\r\n"
                       "[i] Konec."));
}

// The corpus is what makes the tests above mean something: a lost file or a
// missing reference text must not pass silently.
TEST(InteropCorpus, HoldsEveryPeersFilesWithTheirReferenceTexts)
{
    for (const std::vector<CorpusDocument>& documents :
         {corpusDocuments(), corpusDocuments(officeCorpusFolder(), QStringLiteral("*.docx"))}) {
        for (const char* prefix : {"libreoffice-", "abiword-", "pandoc-"}) {
            const auto fromPeer =
                std::count_if(documents.begin(), documents.end(), [&](const CorpusDocument& document) {
                    return document.name.startsWith(QLatin1String(prefix));
                });
            EXPECT_GE(fromPeer, 5) << prefix;
        }
        for (const CorpusDocument& document : documents)
            EXPECT_FALSE(CorpusWords(readText(document.textPath)).isEmpty()) << document.name.toStdString();
    }
}

} // namespace
