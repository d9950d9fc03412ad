#include "editcontrol/RichEditMimeData.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/FormatRuns.h"
#include "rtf/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

using namespace TextFormatProperties;

namespace {

const QString PlainType = QStringLiteral("text/plain");
const QString HtmlType = QStringLiteral("text/html");
const QString QtImageType = QStringLiteral("application/x-qt-image");

// Characters that plain text gives as a line break.
bool isBreak(QChar character)
{
    return character == QChar::ParagraphSeparator || character == QChar::LineSeparator ||
           character == QChar(0xFDD0) || character == QChar(0xFDD1) || character == QLatin1Char('\n');
}

} // namespace

RichEditMimeData::RichEditMimeData(const QTextCursor& selection) : m_fragment(selection)
{
    const QTextDocument* document = selection.document();
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    m_defaultFont = document->defaultFont();
    m_startsWithBreak = start < end && isBreak(document->characterAt(start));
    forEachFormatRun(document, start, end, [&](const QTextCharFormat& run, int from, int to) {
        if (!run.isImageFormat())
            return true;
        const QTextImageFormat format = run.toImageFormat();
        const Picture picture{document->resource(QTextDocument::ImageResource, QUrl(format.name())),
                              format.property(ObjectPictureData).toByteArray(),
                              format.stringProperty(ObjectPictureKind)};
        m_pictures.insert(format.name(), picture);
        if (from == start && to == end && end - start == 1 && !format.hasProperty(ObjectRtf))
            m_lonePicture = picture;
        return true;
    });
}

QByteArray RichEditMimeData::pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void RichEditMimeData::addPicturesTo(QTextDocument* document) const
{
    for (auto it = m_pictures.cbegin(); it != m_pictures.cend(); ++it) {
        if (it->image.isValid())
            document->addResource(QTextDocument::ImageResource, QUrl(it.key()), it->image);
    }
}

RichEditMimeData* RichEditMimeData::clone() const
{
    auto* copy = new RichEditMimeData;
    copy->m_fragment = m_fragment;
    copy->m_pictures = m_pictures;
    copy->m_defaultFont = m_defaultFont;
    copy->m_startsWithBreak = m_startsWithBreak;
    copy->m_lonePicture = m_lonePicture;
    copy->m_rtf = m_rtf;
    copy->m_html = m_html;
    return copy;
}

QStringList RichEditMimeData::formats() const
{
    QStringList formats{RtfType, HtmlType, PlainType};
    if (m_lonePicture)
        formats << PngType << QtImageType;
    return formats;
}

QVariant RichEditMimeData::retrieveData(const QString& mimeType, QMetaType) const
{
    if (mimeType == PlainType)
        return plainTextData();
    if (mimeType == HtmlType)
        return htmlData();
    if (mimeType == RtfType)
        return rtfData();
    if (!m_lonePicture)
        return {};
    const QImage image = m_lonePicture->image.isValid() ? m_lonePicture->image.value<QImage>()
                                                        : QImage::fromData(m_lonePicture->bytes);
    if (mimeType == QtImageType)
        return image;
    if (mimeType != PngType)
        return {};
    if (m_lonePicture->kind == QLatin1String("png") && !m_lonePicture->bytes.isEmpty())
        return m_lonePicture->bytes;
    return pngOf(image);
}

std::pair<QByteArray, QString> RichEditMimeData::encoded(const Picture& picture)
{
    if (!picture.bytes.isEmpty() && picture.kind == QLatin1String("png"))
        return {picture.bytes, PngType};
    if (!picture.bytes.isEmpty() && picture.kind == QLatin1String("jpeg"))
        return {picture.bytes, QStringLiteral("image/jpeg")};
    return {pngOf(picture.image.value<QImage>()), PngType};
}

QString RichEditMimeData::plainTextData() const
{
    QString text = m_fragment.toPlainText();
    if (!m_startsWithBreak && text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    return text.remove(QChar::ObjectReplacementCharacter);
}

QByteArray RichEditMimeData::rtfData() const
{
    if (m_rtf)
        return *m_rtf;
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    document.setDefaultFont(m_defaultFont);
    addPicturesTo(&document);
    QTextCursor(&document).insertFragment(m_fragment);
    const int start = !m_startsWithBreak && document.characterAt(0) == QChar::ParagraphSeparator ? 1 : 0;
    QByteArray rtf;
    // Up to the document's final paragraph mark, which is no part of the selection.
    RtfWriter(document).write(
        [&rtf](const char* data, qsizetype size) {
            rtf.append(data, size);
            return true;
        },
        start, document.characterCount() - 1);
    m_rtf = rtf;
    return rtf;
}

QString RichEditMimeData::htmlData() const
{
    if (m_html)
        return *m_html;
    // Other programs cannot read our resources: each picture's source becomes
    // a data: URL holding its bytes.
    QHash<QString, QString> sources; // HTML-escaped resource name -> data: URL
    for (auto it = m_pictures.cbegin(); it != m_pictures.cend(); ++it) {
        const auto [bytes, type] = encoded(*it);
        sources.insert(it.key().toHtmlEscaped(),
                       QStringLiteral("data:%1;base64,%2").arg(type, QLatin1String(bytes.toBase64())));
    }
    const QString exported = m_fragment.toHtml();
    static const QRegularExpression imageSource(QStringLiteral("<img src=\"([^\"]*)\""));
    QString html;
    html.reserve(exported.size());
    qsizetype copied = 0;
    for (auto it = imageSource.globalMatch(exported); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const auto source = sources.constFind(match.captured(1));
        if (source == sources.cend())
            continue;
        html += QStringView(exported).mid(copied, match.capturedStart(1) - copied);
        html += *source;
        copied = match.capturedEnd(1);
    }
    html += QStringView(exported).mid(copied);
    m_html = html;
    return html;
}
