#include "office/OdtWriter.h"

#include "format/TextFormatProperties.h"
#include "office/OdtBodyWriter.h"
#include "office/OdtStylesWriter.h"
#include "office/OfficeFlow.h"
#include "office/OfficeLists.h"
#include "office/OfficePictureParts.h"
#include "office/ZipWriter.h"

#include <QIODevice>
#include <QTextDocument>
#include <QXmlStreamWriter>

#include <cmath>

namespace {

const QByteArray MimeType = "application/vnd.oasis.opendocument.text";

// The namespaces of content.xml and styles.xml, as attributes of their root.
const QByteArray Namespaces = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                              "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                              "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                              "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                              "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
                              "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
                              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                              "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
                              "office:version=\"1.3\"";

QByteArray odfDocument(const char* root, const QByteArray& content)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:" + QByteArray(root) + ' ' + Namespaces +
           '>' + content + "</office:" + root + '>';
}

// The default style: the font and size of most of the text, Czech; endnotes numbered i, ii,
// iii as the editor shows them.
QByteArray styles(const QFont& font, const OdtStylesWriter& automatic)
{
    const int size = font.pointSizeF() > 0 ? int(std::lround(font.pointSizeF() * 20)) : 240;
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    // The paragraph style Standard names the font and size again: readers that keep the
    // defaults apart from the styles show them as the text's own.
    const auto writeTextDefaults = [&](bool language) {
        xml.writeEmptyElement(QStringLiteral("style:text-properties"));
        for (const char* script : {"style:font-name", "style:font-name-asian", "style:font-name-complex"})
            xml.writeAttribute(QLatin1String(script), font.family());
        for (const char* script : {"fo:font-size", "style:font-size-asian", "style:font-size-complex"})
            xml.writeAttribute(QLatin1String(script), OdtStylesWriter::points(size));
        if (!language)
            return;
        xml.writeAttribute(QStringLiteral("fo:language"), QStringLiteral("cs"));
        xml.writeAttribute(QStringLiteral("fo:country"), QStringLiteral("CZ"));
    };
    xml.writeStartElement(QStringLiteral("office:styles"));
    xml.writeStartElement(QStringLiteral("style:default-style"));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    writeTextDefaults(true);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("style:style"));
    xml.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    writeTextDefaults(false);
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("text:notes-configuration"));
    xml.writeAttribute(QStringLiteral("text:note-class"), QStringLiteral("endnote"));
    xml.writeAttribute(QStringLiteral("style:num-format"), QStringLiteral("i"));
    xml.writeAttribute(QStringLiteral("text:start-value"), QStringLiteral("0"));
    xml.writeEndElement();
    // An A4 page with margins of 2.5 cm, as Czech documents have.
    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    xml.writeStartElement(QStringLiteral("style:page-layout"));
    xml.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Page"));
    xml.writeEmptyElement(QStringLiteral("style:page-layout-properties"));
    xml.writeAttribute(QStringLiteral("fo:page-width"), QStringLiteral("21cm"));
    xml.writeAttribute(QStringLiteral("fo:page-height"), QStringLiteral("29.7cm"));
    for (const char* side : {"fo:margin-top", "fo:margin-bottom", "fo:margin-left", "fo:margin-right"})
        xml.writeAttribute(QLatin1String(side), QStringLiteral("2.5cm"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("office:master-styles"));
    xml.writeEmptyElement(QStringLiteral("style:master-page"));
    xml.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
    xml.writeAttribute(QStringLiteral("style:page-layout-name"), QStringLiteral("Page"));
    xml.writeEndElement();
    return odfDocument("document-styles", automatic.fontFaces(font.family()) + bytes);
}

QByteArray manifest(const QList<OfficePictureParts::Part>& pictures)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("manifest:manifest"));
    xml.writeAttribute(QStringLiteral("xmlns:manifest"),
                       QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"));
    xml.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.3"));
    const auto entry = [&](const QString& path, const QString& type) {
        xml.writeEmptyElement(QStringLiteral("manifest:file-entry"));
        xml.writeAttribute(QStringLiteral("manifest:full-path"), path);
        if (path == u"/")
            xml.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.3"));
        xml.writeAttribute(QStringLiteral("manifest:media-type"), type);
    };
    entry(QStringLiteral("/"), QString::fromLatin1(MimeType));
    entry(QStringLiteral("content.xml"), QStringLiteral("text/xml"));
    entry(QStringLiteral("styles.xml"), QStringLiteral("text/xml"));
    for (const OfficePictureParts::Part& picture : pictures)
        entry(QStringLiteral("Pictures/") + picture.fileName, picture.mimeType);
    xml.writeEndDocument();
    return bytes;
}

} // namespace

bool OdtWriter::write(const QTextDocument& document, QIODevice& device)
{
    m_error.clear();
    const QFont font = OfficeFlow::prevailingFont(document);
    OdtStylesWriter automatic(font);
    OfficePictureParts pictures;
    const OfficeLists lists(document);
    QByteArray body;
    {
        QXmlStreamWriter xml(&body);
        OdtBodyWriter::Context context{automatic, pictures};
        OdtBodyWriter writer(xml, context, &lists);
        writer.write(document);
    }
    // The styles are known once the body is written; they stand before it.
    const QByteArray content = odfDocument(
        "document-content", automatic.fontFaces(font.family()) + automatic.automaticStyles(lists) +
                                "<office:body><office:text>" + body + "</office:text></office:body>");

    // The mimetype comes first and uncompressed, so that its name can be read at a fixed place.
    ZipWriter zip;
    bool added = zip.add(QStringLiteral("mimetype"), MimeType, ZipWriter::Compression::Stored) &&
                 zip.add(QStringLiteral("content.xml"), content) &&
                 zip.add(QStringLiteral("styles.xml"), styles(font, automatic));
    for (const OfficePictureParts::Part& picture : pictures.parts())
        added = added && zip.add(QStringLiteral("Pictures/") + picture.fileName, picture.data,
                                 ZipWriter::Compression::Stored);
    added = added && zip.add(QStringLiteral("META-INF/manifest.xml"), manifest(pictures.parts()));
    if (!added || !zip.finishInto(device)) {
        m_error = zip.errorString();
        return false;
    }
    return true;
}
