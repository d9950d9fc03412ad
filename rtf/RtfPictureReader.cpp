#include "rtf/RtfPictureReader.h"

#include "format/TextFormatProperties.h"
#include "rtf/RtfDocumentBuilder.h"

#include <algorithm>

using namespace TextFormatProperties;

namespace {

constexpr int MaxTwips = 100000;

} // namespace

void RtfPictureReader::startPicture(Destination destination)
{
    if (destination == Destination::ObjectResult)
        m_pictureOwner = PictureOwner::Object;
    else if (destination == Destination::PropertyValue)
        m_pictureOwner = PictureOwner::Shape;
    else
        m_pictureOwner = PictureOwner::Text;
    m_picture = RtfPicture();
}

void RtfPictureReader::startObject()
{
    m_builder.flushRun();
    m_object = ObjectState();
}

void RtfPictureReader::applyWord(Destination destination, RtfPictureWord word, int parameter)
{
    if (destination == Destination::Object || destination == Destination::ObjectResult) {
        if (word == RtfPictureWord::ObjectWidth)
            m_object.width = std::clamp(parameter, 0, MaxTwips);
        else if (word == RtfPictureWord::ObjectHeight)
            m_object.height = std::clamp(parameter, 0, MaxTwips);
        return;
    }
    if (destination != Destination::Picture)
        return;
    switch (word) {
    case RtfPictureWord::PngBlip:
        m_picture.kind = RtfPicture::Kind::Png;
        break;
    case RtfPictureWord::JpegBlip:
        m_picture.kind = RtfPicture::Kind::Jpeg;
        break;
    case RtfPictureWord::DeviceIndependentBitmap:
        m_picture.kind = RtfPicture::Kind::Dib;
        break;
    case RtfPictureWord::WindowsBitmap:
        m_picture.kind = RtfPicture::Kind::Bitmap;
        break;
    case RtfPictureWord::WindowsMetafile:
        m_picture.kind = RtfPicture::Kind::WindowsMetafile;
        break;
    case RtfPictureWord::EnhancedMetafile:
        m_picture.kind = RtfPicture::Kind::EnhancedMetafile;
        break;
    case RtfPictureWord::OtherPicture:
        m_picture.kind = RtfPicture::Kind::Other;
        break;
    case RtfPictureWord::Width:
        m_picture.width = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfPictureWord::Height:
        m_picture.height = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfPictureWord::GoalWidth:
        m_picture.goalWidth = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfPictureWord::GoalHeight:
        m_picture.goalHeight = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfPictureWord::ScaleX:
        m_picture.scaleX = std::clamp(parameter, 1, 10000);
        break;
    case RtfPictureWord::ScaleY:
        m_picture.scaleY = std::clamp(parameter, 1, 10000);
        break;
    case RtfPictureWord::BitmapBitsPerPixel:
        m_picture.bitsPerPixel = std::clamp(parameter, 1, 32);
        break;
    case RtfPictureWord::BitmapBytesPerLine:
        m_picture.bytesPerLine = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfPictureWord::ObjectWidth:
    case RtfPictureWord::ObjectHeight:
        break;
    }
}

void RtfPictureReader::finishPicture(const QByteArray& captured, const GroupState& group)
{
    const QImage image = m_picture.image();
    switch (m_pictureOwner) {
    case PictureOwner::Object:
        if (!image.isNull() && m_object.image.isNull()) {
            m_object.image = image;
            m_object.imageSize = m_picture.displaySize(image);
        }
        return;
    case PictureOwner::Shape:
        // The shape shows its first picture when its group ends.
        if (!m_shapes.empty() && !m_shapes.back().pictureRead) {
            m_shapes.back().pictureRead = true;
            m_shapes.back().picture = std::move(m_picture);
            m_shapes.back().image = image;
        }
        m_picture = RtfPicture();
        return;
    case PictureOwner::Text:
        break;
    }
    if (group.destination != Destination::Body)
        return;
    const QSizeF size = m_picture.displaySize(image);
    if (image.isNull()) {
        m_builder.insertPicture({{}, size, {}, {}, captured}, group.chars, group.para);
        return;
    }
    const QString kept = m_picture.keptKind();
    m_builder.insertPicture({image, size, kept, kept.isEmpty() ? QByteArray() : m_picture.data, {}},
                            group.chars, group.para);
    m_picture = RtfPicture();
}

void RtfPictureReader::finishObject(const QByteArray& captured, const GroupState& group)
{
    if (group.destination != Destination::Body)
        return;
    QSizeF size = m_object.imageSize;
    if (m_object.width > 0 && m_object.height > 0)
        size = QSizeF(twipsToPixels(m_object.width), twipsToPixels(m_object.height));
    if (size.isEmpty())
        size = QSizeF(32, 32);
    m_builder.insertPicture({m_object.image, size, {}, {}, captured}, group.chars, group.para);
    m_object.image = QImage();
}

// Shapes.

QSizeF RtfPictureReader::ShapeState::extent() const
{
    if (right <= left || bottom <= top)
        return {};
    return {twipsToPixels(right - left), twipsToPixels(bottom - top)};
}

void RtfPictureReader::startShape(std::size_t depth)
{
    ShapeState shape;
    shape.depth = depth;
    shape.picturesBefore = m_builder.picturesInserted();
    m_shapes.push_back(std::move(shape));
}

void RtfPictureReader::applyShapeWord(RtfShapeWord word, int parameter)
{
    if (m_shapes.empty())
        return;
    ShapeState& shape = m_shapes.back();
    const int twips = std::clamp(parameter, -MaxTwips, MaxTwips);
    switch (word) {
    case RtfShapeWord::Left:
        shape.left = twips;
        break;
    case RtfShapeWord::Top:
        shape.top = twips;
        break;
    case RtfShapeWord::Right:
        shape.right = twips;
        break;
    case RtfShapeWord::Bottom:
        shape.bottom = twips;
        break;
    }
}

void RtfPictureReader::startShapeText()
{
    if (!m_shapes.empty())
        m_shapes.back().hasText = true;
}

void RtfPictureReader::appendPropertyName(const char* data, qsizetype size)
{
    if (m_propertyName.size() < 64)
        m_propertyName.append(data, std::min<qsizetype>(size, 64));
}

// The value of a shape property: the picture of "pib" is read, other values are not.
Destination RtfPictureReader::propertyValueDestination() const
{
    if (m_shapes.empty() || m_propertyName.trimmed() != "pib")
        return Destination::Skip;
    return Destination::PropertyValue;
}

// A shape's result is read only where the shape has neither a picture nor text of its own:
// else it would show the shape twice.
Destination RtfPictureReader::resultDestination(std::size_t depth) const
{
    const bool ofShape = !m_shapes.empty() && m_shapes.back().depth + 1 == depth;
    if (!ofShape || m_shapes.back().pictureRead || m_shapes.back().hasText)
        return Destination::Skip;
    return Destination::Body;
}

void RtfPictureReader::startShapePicture()
{
    m_picturesBeforeShapePicture = m_builder.picturesInserted();
}

// {\nonshppict} is read only where the picture of the {\*\shppict} before it gave nothing.
Destination RtfPictureReader::nonShapePictureDestination(Destination destination)
{
    const bool shown =
        m_picturesBeforeShapePicture && m_builder.picturesInserted() > *m_picturesBeforeShapePicture;
    m_picturesBeforeShapePicture.reset();
    return shown ? Destination::Skip : destination;
}

// A shape that shows nothing, or only a picture that cannot be shown, is kept as read.
void RtfPictureReader::finishShape(const QByteArray& captured, const GroupState& group)
{
    if (m_shapes.empty() || group.destination != Destination::Body)
        return;
    const ShapeState& shape = m_shapes.back();
    const QSizeF extent = shape.extent();
    QSizeF size = extent;
    if (shape.pictureRead && (shape.picture.hasGoalSize() || extent.isEmpty()))
        size = shape.picture.displaySize(shape.image);
    if (!shape.image.isNull()) {
        const QString kept = shape.picture.keptKind();
        m_builder.insertPicture(
            {shape.image, size, kept, kept.isEmpty() ? QByteArray() : shape.picture.data, {}}, group.chars,
            group.para);
        return;
    }
    const bool shownOtherwise =
        !shape.pictureRead && (shape.hasText || m_builder.picturesInserted() > shape.picturesBefore);
    if (shownOtherwise || captured.isEmpty())
        return;
    if (size.isEmpty())
        size = QSizeF(32, 32);
    m_builder.insertPicture({{}, size, {}, {}, captured}, group.chars, group.para);
}
