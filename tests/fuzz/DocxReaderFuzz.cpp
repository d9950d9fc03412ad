// libFuzzer target for the Word document reader. An input that begins like a ZIP archive is
// read as it is, which tries the archive's checks and caps. Any other input holds the XML
// parts, separated by lines of "#####": the main document, then styles and numbering; they
// are packed into an archive here, so that the mutations reach the XML readers instead of
// breaking the archive's checksums. Finds crashes, hangs, leaks and undefined behaviour.

#include "office/DocxReader.h"
#include "tests/fuzz/FuzzParts.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {

const char Relationships[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering\" "
    "Target=\"numbering.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
    "Target=\"https://example.cz/\" TargetMode=\"External\"/></Relationships>";

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray archive =
        input.startsWith("PK")
            ? input
            : packParts(input,
                        {QStringLiteral("word/document.xml"), QStringLiteral("word/styles.xml"),
                         QStringLiteral("word/numbering.xml")},
                        {{QStringLiteral("word/_rels/document.xml.rels"), QByteArray(Relationships)}});
    QTextDocument document;
    DocxReader().read(archive, document);
    return 0;
}
