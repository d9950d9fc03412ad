#pragma once

// One {\pict} group of RTF: its kind, sizes and data, and the image it shows.

#include <QByteArray>
#include <QImage>
#include <QSizeF>

class RtfPicture
{
public:
    enum class Kind { Unknown, Png, Jpeg, Dib, Bitmap, WindowsMetafile, EnhancedMetafile, Other };

    Kind kind = Kind::Unknown;
    int width = 0;        // \picw: pixels for bitmaps, 0.01 mm for metafiles
    int height = 0;       // \pich
    int goalWidth = 0;    // \picwgoal, twips
    int goalHeight = 0;   // \pichgoal, twips
    int scaleX = 100;     // \picscalex, percent
    int scaleY = 100;     // \picscaley, percent
    int bitsPerPixel = 1; // \wbmbitspixel
    int bytesPerLine = 0; // \wbmwidthbytes
    QByteArray data;      // the picture's bytes, from hex digits or \bin

    // Adds hex digits (other bytes are skipped); an odd digit waits for its partner.
    void appendHex(const char* text, qsizetype size);

    // The picture as an image; a null image when the kind cannot be shown or the data is
    // damaged.
    QImage image() const;

    bool hasGoalSize() const { return goalWidth > 0 && goalHeight > 0; }

    // The size shown, in pixels at 96 dpi: the goal size scaled, else the bitmap's size.
    QSizeF displaySize(const QImage& image) const;

    // "png" or "jpeg" when the data can be written back as it was read, else empty.
    QString keptKind() const;

private:
    QImage deviceIndependentBitmap() const;
    QImage deviceDependentBitmap() const;

    int m_pendingNibble = -1;
};
