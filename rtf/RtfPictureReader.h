#pragma once

// Reads pictures ({\pict}), objects ({\object}) and shapes ({\shp}) and inserts what shows
// them. A picture in text becomes an image character; an object shows the picture of its
// result at the object's size. A shape shows the picture of its "pib" property; without
// one, the picture of its result (\shprslt), the fallback for readers that do not know
// shapes; a text box shows its text. What cannot be shown is kept as it was read, on a
// placeholder, so that a save writes it back.

#include "rtf/RtfKeyword.h"
#include "rtf/RtfPicture.h"
#include "rtf/RtfReaderState.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <cstddef>
#include <optional>
#include <vector>

class RtfDocumentBuilder;

class RtfPictureReader
{
public:
    explicit RtfPictureReader(RtfDocumentBuilder& builder) : m_builder(builder) {}

    // A {\pict} starts in a group of `destination`: an object's result, a shape's
    // property, or text.
    void startPicture(Destination destination);
    void startObject();
    void applyWord(Destination destination, RtfPictureWord word, int parameter);
    void appendHex(const char* data, qsizetype size) { m_picture.appendHex(data, size); }
    void appendBinary(const char* data, qsizetype size) { m_picture.data.append(data, size); }
    // The groups end, `captured` as read; `group` is the group they stood in.
    void finishPicture(const QByteArray& captured, const GroupState& group);
    void finishObject(const QByteArray& captured, const GroupState& group);

    // Shapes: a shape's group is `depth` deep.
    void startShape(std::size_t depth);
    void applyShapeWord(RtfShapeWord word, int parameter);
    // {\shptxt}: the shape is shown by its text.
    void startShapeText();
    void startPropertyName() { m_propertyName.clear(); }
    void appendPropertyName(const char* data, qsizetype size);
    // Where a group that starts in the shape's groups goes; `depth` is its own depth.
    Destination propertyValueDestination() const;
    Destination resultDestination(std::size_t depth) const;
    // {\*\shppict} and {\nonshppict}, the picture for readers that do not know the first.
    void startShapePicture();
    Destination nonShapePictureDestination(Destination destination);
    void finishShape(const QByteArray& captured, const GroupState& group);
    // The groups are `depth` deep now: shapes of deeper groups have ended.
    void closeGroup(std::size_t depth)
    {
        while (!m_shapes.empty() && m_shapes.back().depth > depth)
            m_shapes.pop_back();
    }

private:
    // The \object being read: the picture of its result and its size.
    struct ObjectState
    {
        QImage image;
        QSizeF imageSize;
        int width = 0;  // \objw, twips
        int height = 0; // \objh
    };
    // What a picture being read belongs to.
    enum class PictureOwner { Text, Object, Shape };
    // A shape being read: its extent and what shows it.
    struct ShapeState
    {
        std::size_t depth = 0; // the depth of the shape's group
        int left = 0;          // \shpleft ... twips
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool hasText = false;     // its text box was read into the text
        bool pictureRead = false; // its picture ("pib") was read
        RtfPicture picture;
        QImage image;
        int picturesBefore = 0; // pictures of the document before the shape

        QSizeF extent() const;
    };

    RtfDocumentBuilder& m_builder;
    RtfPicture m_picture;
    PictureOwner m_pictureOwner = PictureOwner::Text;
    ObjectState m_object;
    std::vector<ShapeState> m_shapes;
    QByteArray m_propertyName; // of the shape property being read
    // The pictures of the document when the last {\*\shppict} began.
    std::optional<int> m_picturesBeforeShapePicture;
};
