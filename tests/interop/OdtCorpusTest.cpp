// Every OpenDocument text of tests/data/office (NAME.odt) was written by LibreOffice, AbiWord
// or pandoc from one of the source documents beside them and comes with the plain text
// LibreOffice extracts from it (NAME.odt.txt). The reader must give the same words in the same
// order in the plain text the editor saves of what it read. bench/interop/make-office-corpus.sh
// regenerates the files.

#include "tests/interop/CorpusWords.h"
#include "tests/interop/DocumentFeatures.h"

#include "editcontrol/DocumentText.h"
#include "editcontrol/PlainTextLists.h"
#include "office/OdtReader.h"
#include "platform/PlainTextCodec.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

std::vector<QString> corpusFiles()
{
    std::vector<QString> files;
    const QDir folder(QStringLiteral(ZORVAN_TEST_DATA "office/"));
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.odt")}, QDir::Files, QDir::Name))
        files.push_back(file.filePath());
    return files;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTextDocument* readDocument(const QString& path, QTextDocument& document)
{
    OdtReader reader;
    EXPECT_TRUE(reader.read(contentOf(path), document)) << reader.errorString().toStdString();
    return &document;
}

class OdtCorpusTest : public ::testing::TestWithParam<QString>
{
};

TEST_P(OdtCorpusTest, PlainTextHasLibreOfficesWords)
{
    const QByteArray reference = contentOf(GetParam() + QStringLiteral(".txt"));
    ASSERT_FALSE(reference.isEmpty()) << "every file of the corpus has LibreOffice's text";
    QTextDocument document;
    readDocument(GetParam(), document);
    // As the editor saves plain text: list items with their labels, pictures left out.
    const QString text = PlainTextCodec::exported(
        PlainTextLists::withLabels(document, 0, DocumentText::range(document, WholeText)));
    const QString difference =
        FirstWordDifference(CorpusWords(QString::fromUtf8(reference)), CorpusWords(text));
    EXPECT_TRUE(difference.isEmpty()) << difference.toStdString();
}

TEST(OdtCorpus, HoldsTheDocumentsOfAllThreeWriters)
{
    const std::vector<QString> files = corpusFiles();
    for (const char* writer : {"/libreoffice-", "/abiword-", "/pandoc-"})
        EXPECT_GE(
            std::count_if(files.cbegin(), files.cend(),
                          [&](const QString& file) { return file.contains(QLatin1StringView(writer)); }),
            6)
            << writer;
}

// What of the source documents' formatting each peer wrote into its .odt reaches the document
// (AbiWord writes no highlight and loses the lists of the notes document; LibreOffice links
// the pictures of HTML instead of holding them; pandoc writes paragraph formats as named
// styles without alignment).
TEST(OdtCorpus, PeersFormattingReachesTheDocument)
{
    const QStringList characters{"bold",      "italic",      "underline",     "strike",       "text colour",
                                 "subscript", "superscript", "several fonts", "several sizes"};
    const QStringList paragraphs{"centred",      "right aligned",     "justified",      "left indent",
                                 "right indent", "first-line indent", "hanging indent", "space before",
                                 "space after",  "line spacing"};
    const QStringList links{"link https://www.example.cz/zorvan", "link mailto:podpora@example.cz"};
    const QStringList notes{"table 3x3",   "link https://intranet.example.cz/zapisy",
                            "png picture", "bold",
                            "italic",      "strike",
                            "subscript",   "superscript"};
    const QStringList lists{"bulleted list", "numbered list", "lettered list", "roman list"};
    const std::pair<const char*, QStringList> rows[] = {
        {"libreoffice-pismo", characters + paragraphs + QStringList{"highlight"}},
        {"abiword-pismo", characters + paragraphs},
        {"pandoc-pismo", {"bold", "italic", "underline", "strike", "subscript", "superscript"}},
        {"libreoffice-seznamy", lists + links + QStringList{"table 4x3"}},
        {"abiword-seznamy", links + QStringList{"bulleted list", "numbered list", "table 4x3"}},
        {"pandoc-seznamy", lists + links + QStringList{"table 4x3"}},
        {"libreoffice-struktura",
         {"numbered list", "lettered list", "roman list", "text colour", "several fonts", "bold", "italic",
          "centred"}},
        {"abiword-struktura", {"numbered list", "text colour", "bold", "italic", "centred"}},
        {"pandoc-struktura", lists + QStringList{"bold", "italic"}},
        {"abiword-jazyky", {"png picture"}},
        {"pandoc-jazyky", {"png picture"}},
        {"abiword-obrazky", {"png picture"}},
        {"pandoc-obrazky", {"png picture"}},
        {"libreoffice-poznamky", notes + QStringList{"bulleted list", "numbered list"}},
        {"abiword-poznamky", notes},
        {"pandoc-poznamky", notes + QStringList{"bulleted list", "numbered list"}},
    };
    for (const auto& [name, expected] : rows) {
        QTextDocument document;
        const QSet<QString> found = DocumentFeatures(
            *readDocument(QStringLiteral(ZORVAN_TEST_DATA "office/%1.odt").arg(name), document));
        for (const QString& feature : expected)
            EXPECT_TRUE(found.contains(feature)) << name << ": " << feature.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Office, OdtCorpusTest, ::testing::ValuesIn(corpusFiles()), [](const auto& info) {
    QString name = QFileInfo(info.param).completeBaseName();
    name.replace(u'-', u'_');
    return name.toStdString();
});

} // namespace
