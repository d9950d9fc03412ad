#include "office/OdtReader.h"

#include "office/OdtBodyReader.h"
#include "office/OdtStyles.h"
#include "office/OfficeXml.h"
#include "office/ZipArchive.h"

#include <QTextCursor>
#include <QTextDocument>
#include "office/XmlPartReader.h"

using namespace OfficeXml;

namespace {

const QString MimeTypePart = QStringLiteral("mimetype");
const QString StylesPart = QStringLiteral("styles.xml");
const QString ContentPart = QStringLiteral("content.xml");
// Text documents and their templates; spreadsheets and drawings are not read.
const QByteArray TextMimeType = "application/vnd.oasis.opendocument.text";

} // namespace

bool OdtReader::read(const QByteArray& bytes, QTextDocument& document)
{
    ZipArchive archive(bytes, m_limits.total);
    if (!archive.isOpen()) {
        m_error = archive.errorString();
        return false;
    }
    const auto fail = [&](const QString& error) {
        m_error = error;
        return false;
    };
    if (archive.contains(MimeTypePart)) {
        const std::optional<QByteArray> type = archive.read(MimeTypePart, 1024);
        if (!type)
            return fail(archive.errorString());
        if (!type->trimmed().startsWith(TextMimeType))
            return fail(
                QStringLiteral("The package is not a text document: %1").arg(QString::fromUtf8(*type)));
    }
    OdtStyles styles;
    if (archive.contains(StylesPart)) {
        const std::optional<QByteArray> part = archive.read(StylesPart, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        XmlPartReader xml(*part);
        if (enterRoot(xml)) {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"master-styles")
                    xml.skipCurrentElement();
                else
                    styles.readSection(xml);
            }
        }
        if (xml.hasError())
            return fail(QStringLiteral("styles: %1").arg(xml.errorString()));
    }
    const std::optional<QByteArray> content = archive.read(ContentPart, m_limits.mainPart);
    if (!content)
        return fail(archive.errorString());

    XmlPartReader xml(*content);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    if (enterRoot(xml)) {
        while (xml.readNextStartElement()) {
            if (xml.name() != u"body") {
                styles.readSection(xml);
                continue;
            }
            while (xml.readNextStartElement()) {
                if (xml.name() == u"text")
                    OdtBodyReader(xml, cursor, styles, archive, m_limits.part).read();
                else
                    xml.skipCurrentElement();
            }
        }
    }
    cursor.endEditBlock();
    if (xml.hasError())
        return fail(QStringLiteral("content: %1").arg(xml.errorString()));
    return true;
}
