#pragma once

// Sizes and draws the pictures of a document (image characters whose picture is
// one of the document's image resources) as Qt's own document layout does: at
// the width and height the format gives, else at the picture's own size, keeping
// its proportions when only one of them is given.

#include <QObject>
#include <QTextObjectInterface>

class PictureHandler : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit PictureHandler(QObject* parent) : QObject(parent) {}

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};
