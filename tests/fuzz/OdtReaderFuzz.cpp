// libFuzzer target for the OpenDocument text reader. An input that begins like a ZIP archive
// is read as it is, which tries the archive's checks and caps. Any other input holds the XML
// parts, separated by lines of "#####": content.xml, then styles.xml; they are packed into an
// archive here with the mimetype and a small picture (Pictures/a.png), so that the mutations
// reach the XML readers instead of breaking the archive's checksums. Finds crashes, hangs,
// leaks and undefined behaviour.

#include "office/OdtReader.h"
#include "tests/fuzz/FuzzParts.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray picture()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QList<std::pair<QString, QByteArray>> fixedParts{
        {QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"},
        {QStringLiteral("Pictures/a.png"), picture()}};
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray archive =
        input.startsWith("PK")
            ? input
            : packParts(input, {QStringLiteral("content.xml"), QStringLiteral("styles.xml")}, fixedParts);
    QTextDocument document;
    OdtReader().read(archive, document);
    return 0;
}
