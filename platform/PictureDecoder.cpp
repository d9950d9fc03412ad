#include "platform/PictureDecoder.h"

#include <QSysInfo>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

// Both libraries report errors by longjmp. The functions that call setjmp below
// hold only plain C data, so the jump skips no destructor and leaves no C++
// object half updated; the QImage and every clean-up live in their callers.

namespace {

constexpr quint32 maxSide = 30000;
constexpr quint64 maxPixels = 100'000'000;

bool sizeAllowed(quint32 width, quint32 height)
{
    return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
           quint64(width) * height <= maxPixels;
}

// --- PNG ---

struct PngSource
{
    const unsigned char* data;
    size_t size;
    size_t position;
};

void readPngBytes(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position)
        png_error(png, "cut short");
    std::memcpy(out, source->data + source->position, length);
    source->position += length;
}

// Errors end the decoding without a word on stderr; warnings (a damaged
// ancillary chunk, a stray byte after the pixels) leave a whole picture and
// are ignored.
[[noreturn]] void pngFailed(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void pngWarned(png_structp, png_const_charp)
{
}

// Owns libpng's read structures for the time of one decoding.
class PngReader
{
public:
    PngReader()
        : m_png(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngFailed, pngWarned)),
          m_info(m_png ? png_create_info_struct(m_png) : nullptr)
    {
    }
    ~PngReader() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png;
    png_infop m_info;
};

struct PngHeader
{
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool hasAlpha = false;
};

// Reads the header and asks libpng for 8-bit pixels of four bytes in QImage's
// 32-bit order, whatever the file's colour type and depth. False on damage.
bool readPngHeader(png_structp png, png_infop info, PngSource* source, PngHeader* header)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, source, readPngBytes);
    png_read_info(png, info);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    if (!sizeAllowed(header->width, header->height))
        return false;
    // Palette and grey below 8 bits become 8-bit RGB or grey, a transparent
    // colour (tRNS) becomes an alpha channel.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    // QImage's 32-bit pixels are 0xAARRGGBB words; a picture without alpha
    // gets an opaque filler byte in the alpha place.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_bgr(png);
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        png_set_swap_alpha(png);
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->hasAlpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0;
    return png_get_rowbytes(png, info) == size_t(header->width) * 4;
}

// Reads the pixels into the given rows and the chunks after them up to the
// end, so that a file cut after its pixels is refused too.
bool readPngRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

// --- JPEG ---

struct JpegErrors
{
    jpeg_error_mgr manager; // first, so that libjpeg's pointer to it is one to the whole
    std::jmp_buf jump;
};

[[noreturn]] void jpegFailed(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// libjpeg warns and goes on when the data ends early, filling the rest of the
// picture with grey. A half grey picture inserted without a word would be a
// surprise, so running out of data counts as an error here. Other warnings
// (stray bytes between markers, which some cameras write) leave the picture
// whole and are ignored, as are trace messages.
void jpegMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    ++info->err->num_warnings;
    if (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER)
        jpegFailed(info);
}

void jpegSilent(j_common_ptr)
{
}

// A progressive picture may consist of any number of scans, each of which
// libjpeg decodes in full; a crafted file with thousands of tiny scans takes
// minutes. Real pictures have around ten.
constexpr int maxJpegScans = 500;

void jpegProgress(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > maxJpegScans)
        jpegFailed(info);
}

// Owns libjpeg's decompressor for the time of one decoding.
class JpegReader
{
public:
    JpegReader()
    {
        m_info.err = jpeg_std_error(&m_errors.manager);
        m_errors.manager.error_exit = jpegFailed;
        m_errors.manager.emit_message = jpegMessage;
        m_errors.manager.output_message = jpegSilent;
        m_progress.progress_monitor = jpegProgress;
    }
    ~JpegReader() { jpeg_destroy_decompress(&m_info); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    j_decompress_ptr info() { return &m_info; }
    jpeg_progress_mgr* progress() { return &m_progress; }
    std::jmp_buf& jump() { return m_errors.jump; }

private:
    JpegErrors m_errors{};
    jpeg_progress_mgr m_progress{};
    jpeg_decompress_struct m_info{};
};

// Reads the header and chooses the colours libjpeg hands out: RGB, or CMYK,
// which libjpeg does not turn into RGB itself. False on damage.
bool readJpegHeader(JpegReader* reader, const unsigned char* data, unsigned long size)
{
    j_decompress_ptr info = reader->info();
    if (setjmp(reader->jump()))
        return false;
    jpeg_create_decompress(info);
    info->progress = reader->progress();
    jpeg_mem_src(info, data, size);
    jpeg_read_header(info, TRUE);
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(info);
    return sizeAllowed(info->output_width, info->output_height);
}

// The pixel of a CMYK picture. Each ink byte is turned into the share of light
// the ink lets through; files with an Adobe marker, which is nearly all of
// them, store the inks inverted, so that the byte already is that share.
QRgb cmykToRgb(const unsigned char* ink, bool inverted)
{
    const auto light = [&](int channel) { return inverted ? ink[channel] : 255 - ink[channel]; };
    const int black = light(3);
    return qRgb(light(0) * black / 255, light(1) * black / 255, light(2) * black / 255);
}

// Turns one row as libjpeg wrote it (three bytes RGB or four bytes CMYK per
// pixel, from the row's start) into 32-bit pixels in the same memory. It works
// from the right end, reading each pixel before writing it, so no pixel is
// overwritten before it is read.
void expandJpegRow(unsigned char* row, JDIMENSION width, const jpeg_decompress_struct& info)
{
    auto* pixels = reinterpret_cast<QRgb*>(row);
    const bool cmyk = info.out_color_space == JCS_CMYK;
    const bool inverted = info.saw_Adobe_marker;
    for (JDIMENSION x = width; x-- > 0;) {
        if (cmyk) {
            pixels[x] = cmykToRgb(row + 4 * size_t(x), inverted);
            continue;
        }
        const unsigned char* rgb = row + 3 * size_t(x);
        pixels[x] = qRgb(rgb[0], rgb[1], rgb[2]);
    }
}

// Decodes every row into `bits` (rows `bytesPerLine` apart, each with room for
// four bytes a pixel). False on damage.
bool readJpegRows(JpegReader* reader, unsigned char* bits, size_t bytesPerLine)
{
    j_decompress_ptr info = reader->info();
    if (setjmp(reader->jump()))
        return false;
    jpeg_start_decompress(info);
    while (info->output_scanline < info->output_height) {
        unsigned char* row = bits + size_t(info->output_scanline) * bytesPerLine;
        if (jpeg_read_scanlines(info, &row, 1) != 1)
            return false;
        expandJpegRow(row, info->output_width, *info);
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

QImage DecodePng(QByteArrayView data)
{
    PngReader reader;
    if (!reader.png() || !reader.info())
        return {};
    PngSource source{reinterpret_cast<const unsigned char*>(data.data()), size_t(data.size()), 0};
    PngHeader header;
    if (!readPngHeader(reader.png(), reader.info(), &source, &header))
        return {};
    QImage image(int(header.width), int(header.height),
                 header.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = image.scanLine(int(y));
    if (!readPngRows(reader.png(), rows.data()))
        return {};
    return image;
}

QImage DecodeJpeg(QByteArrayView data)
{
    JpegReader reader;
    if (!readJpegHeader(&reader, reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<unsigned long>(data.size())))
        return {};
    const jpeg_decompress_struct& info = *reader.info();
    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (!readJpegRows(&reader, image.bits(), size_t(image.bytesPerLine())))
        return {};
    return image;
}
