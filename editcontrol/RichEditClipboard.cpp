#include "editcontrol/RichEditClipboard.h"

#include "editcontrol/DocumentPictures.h"
#include "editcontrol/DocumentText.h"
#include "editcontrol/FormatRuns.h"
#include "editcontrol/RichEditMimeData.h"
#include "platform/PictureDecoder.h"
#include "platform/PlainTextCodec.h"
#include "platform/TPicture.h"
#include "platform/ZvExceptions.h"
#include "rtf/RtfReader.h"

#include <QMimeData>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The names under which programs offer RTF; LibreOffice offers all three.
const QString RtfTypes[] = {RichEditMimeData::RtfType, QStringLiteral("application/rtf"),
                            QStringLiteral("text/richtext")};

// The dynamic property that marks data made from a control's selection with the control.
constexpr char OwnerProperty[] = "zorvanRichEditControl";

struct Picture
{
    QImage image;
    QByteArray bytes; // as they are kept in the document and saved
    QString kind;     // "png" or "jpeg"
};

Picture pngPicture(const QImage& image)
{
    return {image, RichEditMimeData::pngOf(image), QStringLiteral("png")};
}

// A dropped local file that holds a picture, read as inserting it would read
// it; none when it holds none.
std::optional<Picture> pictureInFile(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    TPicture picture;
    try {
        picture.LoadFromFile(url.toLocalFile());
    } catch (const EInvalidGraphic&) {
        return std::nullopt;
    }
    const QString kind = picture.StoredKind();
    if (kind.isEmpty())
        return pngPicture(picture.Image());
    return Picture{picture.Image(), picture.FileData(), kind};
}

// The pictures a clipboard or a drop holds: PNG or JPEG bytes as they are,
// else its image, else the picture files it names (all or none).
std::vector<Picture> picturesIn(const QMimeData& source)
{
    const struct
    {
        QLatin1String type;
        QImage (*decode)(QByteArrayView);
        QLatin1String kind;
    } encodings[] = {{RichEditMimeData::PngType, DecodePng, QLatin1String("png")},
                     {RichEditMimeData::JpegType, DecodeJpeg, QLatin1String("jpeg")}};
    for (const auto& encoding : encodings) {
        if (!source.hasFormat(encoding.type))
            continue;
        const QByteArray bytes = source.data(encoding.type);
        const QImage image = encoding.decode(bytes);
        if (!image.isNull())
            return {Picture{image, bytes, encoding.kind}};
    }
    if (source.hasImage()) {
        const QImage image = source.imageData().value<QImage>();
        if (!image.isNull())
            return {pngPicture(image)};
    }
    std::vector<Picture> pictures;
    for (const QUrl& url : source.urls()) {
        std::optional<Picture> picture = pictureInFile(url);
        if (!picture)
            return {};
        pictures.push_back(std::move(*picture));
    }
    return pictures;
}

bool offersRichText(const QMimeData& source)
{
    return qobject_cast<const RichEditMimeData*>(&source) ||
           std::any_of(std::begin(RtfTypes), std::end(RtfTypes),
                       [&source](const QString& type) { return source.hasFormat(type); });
}

bool offersPicture(const QMimeData& source)
{
    return source.hasImage() || source.hasFormat(RichEditMimeData::PngType) ||
           source.hasFormat(RichEditMimeData::JpegType);
}

} // namespace

RichEditClipboard::RichEditClipboard(QTextDocument& document, LONG textLimit, Objects objects)
    : m_document(document), m_textLimit(textLimit), m_objects(objects)
{
}

bool RichEditClipboard::canInsert(const QMimeData& source, Content content) const
{
    const bool picturesAllowed = m_objects == Objects::Allowed;
    switch (content) {
    case Content::Anything:
        return offersRichText(source) || (picturesAllowed && offersPicture(source)) || source.hasText();
    case Content::TextOnly:
        return source.hasText();
    case Content::PictureOnly:
        return picturesAllowed && offersPicture(source);
    }
    return false;
}

void RichEditClipboard::insert(const QMimeData& source, Content content, QTextCursor& cursor) const
{
    // One undo step, however many edits the paste takes.
    cursor.beginEditBlock();
    switch (content) {
    case Content::Anything:
        // Pictures that cannot be inserted leave the text that comes with them.
        if (!insertRichText(source, cursor) && !insertPictures(source, cursor))
            insertPlainText(source, cursor);
        break;
    case Content::TextOnly:
        insertPlainText(source, cursor);
        break;
    case Content::PictureOnly:
        insertPictures(source, cursor);
        break;
    }
    cursor.endEditBlock();
}

bool RichEditClipboard::insertRichText(const QMimeData& source, QTextCursor& cursor) const
{
    const int start = cursor.selectionStart();
    if (const auto* own = qobject_cast<const RichEditMimeData*>(&source)) {
        // Text that ends with a paragraph break leaves the paragraph after it
        // in its own format (Qt would give it the format of the paragraph
        // that followed the copied text).
        const QTextBlockFormat format = cursor.blockFormat();
        const QPointer<QTextList> list = cursor.currentList();
        own->addPicturesTo(&m_document);
        cursor.insertFragment(own->fragment());
        if (cursor.atBlockStart() && cursor.block() != m_document.findBlock(start)) {
            cursor.setBlockFormat(format);
            if (QTextList* pastedList = cursor.currentList(); pastedList && pastedList != list)
                pastedList->remove(cursor.block());
            if (list && cursor.currentList() != list)
                list->add(cursor.block());
        }
        trimPastedRichText(cursor, start);
        return true;
    }
    for (const QString& type : RtfTypes) {
        if (!source.hasFormat(type))
            continue;
        const QByteArray rtf = source.data(type);
        RtfReader reader(cursor);
        if (!reader.feed(rtf.constData(), rtf.size()) || !reader.finish())
            continue; // not RTF after all: the next kind
        cursor = reader.cursor();
        trimPastedRichText(cursor, start);
        return true;
    }
    return false;
}

void RichEditClipboard::trimPastedRichText(QTextCursor& cursor, int start) const
{
    int end = cursor.position();
    QTextCursor remover(&m_document);
    const auto remove = [&](int from, int to) {
        remover.setPosition(from);
        remover.setPosition(to, QTextCursor::KeepAnchor);
        remover.removeSelectedText();
        end -= to - from;
    };
    if (m_objects == Objects::Refused) {
        std::vector<std::pair<int, int>> objects;
        forEachFormatRun(&m_document, start, end, [&](const QTextCharFormat& run, int from, int to) {
            if (run.isImageFormat())
                objects.emplace_back(from, to);
            return true;
        });
        for (auto it = objects.crbegin(); it != objects.crend(); ++it)
            remove(it->first, it->second);
    }
    const int excess = DocumentText::length(m_document) - m_textLimit;
    if (excess > 0)
        remove(std::max(start, end - excess), end);
    cursor.setPosition(end);
}

bool RichEditClipboard::insertPictures(const QMimeData& source, QTextCursor& cursor) const
{
    if (m_objects == Objects::Refused)
        return false;
    const std::vector<Picture> pictures = picturesIn(source);
    const QString objects(int(pictures.size()), QChar::ObjectReplacementCharacter);
    if (pictures.empty() || DocumentText::fitted(objects, cursor, m_textLimit).size() < objects.size())
        return false;
    for (const Picture& picture : pictures)
        DocumentPictures::insert(cursor, picture.image, picture.bytes, picture.kind);
    return true;
}

void RichEditClipboard::insertPlainText(const QMimeData& source, QTextCursor& cursor) const
{
    const QString text = source.text();
    if (text.isEmpty())
        return;
    cursor.insertText(DocumentText::fitted(PlainTextCodec::normalisedBreaks(text), cursor, m_textLimit));
}

QMimeData* RichEditClipboard::dataOf(const QTextCursor& selection, const QObject* owner)
{
    auto* data = new RichEditMimeData(selection);
    // Marked so that the owner can ask, when it goes away, whether to keep it.
    data->setProperty(OwnerProperty, QVariant::fromValue(quintptr(owner)));
    return data;
}

bool RichEditClipboard::isDataOf(const QMimeData* data, const QObject* owner)
{
    return data && data->property(OwnerProperty).value<quintptr>() == quintptr(owner);
}
