// libFuzzer target for the PNG and JPEG decoders: the first byte chooses the decoder (even:
// PNG, odd: JPEG; the seeds in picture-corpus/ start with "0" or "1"), the rest is the file.
// Finds crashes, hangs, leaks and undefined behaviour around libpng and libjpeg, and pictures
// that come out larger than the decoders promise to allow.

#include "platform/PictureDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView picture(data + 1, qsizetype(size - 1));
    const QImage image = data[0] % 2 == 0 ? DecodePng(picture) : DecodeJpeg(picture);
    if (image.isNull())
        return 0;
    const bool allowed = image.width() <= 30000 && image.height() <= 30000 &&
                         qint64(image.width()) * image.height() <= 100'000'000;
    const bool format = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    if (!allowed || !format)
        std::abort();
    return 0;
}
