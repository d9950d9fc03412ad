// Pictures and objects.

#include "rtf/RtfParser.h"

#include "format/TextFormatProperties.h"

#include <algorithm>

using namespace TextFormatProperties;

namespace {

constexpr int MaxTwips = 100000;

} // namespace

void RtfParser::startPicture()
{
    GroupState& state = top();
    m_pictureForObject = state.destination == Destination::ObjectResult;
    state.destination = Destination::Picture;
    m_picture = RtfPicture();
    if (!m_tokenizer.isCapturing()) {
        m_tokenizer.startCapture("{\\pict ");
        state.ownsCapture = true;
    }
}

void RtfParser::startObject()
{
    m_builder.flushRun();
    GroupState& state = top();
    state.destination = Destination::Object;
    m_object = ObjectState();
    if (!m_tokenizer.isCapturing()) {
        m_tokenizer.startCapture("{\\object ");
        state.ownsCapture = true;
    }
}

void RtfParser::applyPictureWord(RtfPictureWord word, int parameter)
{
    const Destination destination = top().destination;
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

void RtfParser::finishPicture(const QByteArray& captured)
{
    if (m_truncated)
        return;
    const QImage image = m_picture.image();
    if (m_pictureForObject) {
        if (!image.isNull() && m_object.image.isNull()) {
            m_object.image = image;
            m_object.imageSize = m_picture.displaySize(image);
        }
        return;
    }
    if (top().destination != Destination::Body)
        return;
    const QSizeF size = m_picture.displaySize(image);
    if (image.isNull()) {
        m_builder.insertPicture({{}, size, {}, {}, captured}, top().chars, top().para);
        return;
    }
    const QString kept = m_picture.keptKind();
    m_builder.insertPicture({image, size, kept, kept.isEmpty() ? QByteArray() : m_picture.data, {}},
                            top().chars, top().para);
    m_picture = RtfPicture();
}

void RtfParser::finishObject(const QByteArray& captured)
{
    if (m_truncated || top().destination != Destination::Body)
        return;
    QSizeF size = m_object.imageSize;
    if (m_object.width > 0 && m_object.height > 0)
        size = QSizeF(twipsToPixels(m_object.width), twipsToPixels(m_object.height));
    if (size.isEmpty())
        size = QSizeF(32, 32);
    m_builder.insertPicture({m_object.image, size, {}, {}, captured}, top().chars, top().para);
    m_object.image = QImage();
}
