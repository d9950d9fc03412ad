#pragma once

// Decoding of PNG and JPEG files held in memory, with libpng and libjpeg.
//
// Both return a null QImage when the data is not a whole, undamaged picture of
// their kind: empty or cut short, a bad signature or checksum, data the library
// refuses. Pictures wider or taller than 30000 pixels, or of more than 100
// million pixels, are refused before any pixel memory is allocated.
//
// PNG pictures come out as QImage::Format_ARGB32 when they carry transparency
// (an alpha channel or a transparent colour), otherwise as Format_RGB32; every
// colour type, bit depth and interlacing is read. JPEG pictures come out as
// Format_RGB32, whether stored as grey, colour or CMYK.

#include <QByteArrayView>
#include <QImage>

QImage DecodePng(QByteArrayView data);
QImage DecodeJpeg(QByteArrayView data);
