// Every RTF file of tests/data/interop was written by another word processor
// (LibreOffice, AbiWord, pandoc) from one of the source documents beside it, and
// comes with the plain text LibreOffice extracts from it. Zorvan must read the
// same words in the same order, and a save and reload of what it read must give
// the same document back. bench/interop/make-corpus.sh regenerates the files.

#include "CorpusWords.h"
#include "DocumentFeatures.h"
#include "DocumentSnapshot.h"

#include "platform/RichEditControl.h"
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

// The base names of the corpus RTF files, sorted.
std::vector<QString> corpusDocuments()
{
    std::vector<QString> names;
    const QDir folder(corpusFolder());
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        names.push_back(file.completeBaseName());
    return names;
}

QString readReferenceText(const QString& name)
{
    QFile file(corpusFolder() + name + QStringLiteral(".txt"));
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

class InteropCorpusTest : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.setMaxLength(0);
        editor.Lines().LoadFromFile(corpusFolder() + GetParam() + QStringLiteral(".rtf"));
    }

    TZvRichEdit editor;
};

TEST_P(InteropCorpusTest, PlainTextHasLibreOfficesWords)
{
    const QStringList expected = CorpusWords(readReferenceText(GetParam()));
    ASSERT_FALSE(expected.isEmpty()) << "no reference text for " << GetParam().toStdString();
    const QString text = QString::fromUtf8(saveToBuffer(editor, TRichStreamFormat::sfPlainText));
    const QString difference = FirstWordDifference(expected, CorpusWords(text));
    EXPECT_TRUE(difference.isEmpty()) << difference.toStdString();
}

TEST_P(InteropCorpusTest, SavedRtfIsSevenBit)
{
    const QByteArray rtf = saveToBuffer(editor, TRichStreamFormat::sfRichText);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    const auto wide = std::find_if(rtf.begin(), rtf.end(), [](char byte) { return byte & 0x80; });
    EXPECT_EQ(wide, rtf.end()) << "byte " << std::distance(rtf.begin(), wide) << " has the high bit set";
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
        ADD_FAILURE() << "block " << index << " differs after save and reload\noriginal: "
                      << ::testing::PrintToString(original[index])
                      << "\nreloaded: " << ::testing::PrintToString(again[index]);
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, InteropCorpusTest, ::testing::ValuesIn(corpusDocuments()),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return QString(info.param).replace(u'-', u'_').toStdString();
                         });

// The round trip above proves little if the formatting never reached the editor:
// each row lists what the peer wrote into that RTF file from the source document
// (pandoc's writer drops fonts, colours, alignment and real lists; AbiWord writes
// every numbered list as decimal).
struct ExpectedFormatting
{
    const char* document;
    QStringList features;
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
    {"libreoffice-poznamky", QStringList{"bulleted list", "numbered list"} + PoznamkyContent},
    {"abiword-poznamky", QStringList{"bulleted list", "numbered list"} + PoznamkyContent},
    {"pandoc-poznamky", PoznamkyContent},
};

class InteropFormattingTest : public ::testing::TestWithParam<ExpectedFormatting>
{
};

TEST_P(InteropFormattingTest, PeersFormattingReachesTheEditor)
{
    TZvRichEdit editor;
    editor.Lines().LoadFromFile(corpusFolder() + QLatin1String(GetParam().document) + QStringLiteral(".rtf"));
    const QSet<QString> found = DocumentFeatures(*editor.control()->document());
    for (const QString& feature : GetParam().features)
        EXPECT_TRUE(found.contains(feature)) << "missing: " << feature.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, InteropFormattingTest, ::testing::ValuesIn(FormattingRows),
    [](const ::testing::TestParamInfo<ExpectedFormatting>& info) {
        return QString::fromLatin1(info.param.document).replace(u'-', u'_').toStdString();
    });

// The corpus is what makes the tests above mean something: a lost file or a
// missing reference text must not pass silently.
TEST(InteropCorpus, HoldsEveryPeersRtfWithItsReferenceText)
{
    const std::vector<QString> names = corpusDocuments();
    for (const char* prefix : {"libreoffice-", "abiword-", "pandoc-"}) {
        const auto fromPeer = std::count_if(names.begin(), names.end(), [&](const QString& name) {
            return name.startsWith(QLatin1String(prefix));
        });
        EXPECT_GE(fromPeer, 4) << prefix;
    }
    for (const QString& name : names)
        EXPECT_TRUE(QFile::exists(corpusFolder() + name + QStringLiteral(".txt"))) << name.toStdString();
}

} // namespace
