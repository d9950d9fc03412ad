// libFuzzer target: reads any bytes as RTF, in chunks whose size the input's length chooses,
// writes the document back and reads that again. Finds crashes, hangs, leaks and undefined
// behaviour in RtfReader and RtfWriter.

#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {

void readInChunks(QTextDocument& document, const char* data, qsizetype size, qsizetype chunk)
{
    RtfReader reader{QTextCursor(&document)};
    for (qsizetype at = 0; at < size; at += chunk) {
        if (!reader.feed(data + at, std::min(chunk, size - at)))
            return;
    }
    reader.finish();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // A damaged picture header must not make the image readers allocate what the fuzzer's
    // memory limit forbids.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Most inputs are read in one chunk; some byte by byte or in odd pieces, so that tokens
    // cut by chunk boundaries are exercised too.
    const qsizetype chunk = size % 4 == 0 ? 1 + qsizetype(size % 13) : 4096;
    const char* text = reinterpret_cast<const char*>(data);
    const qsizetype length = qsizetype(size);

    QTextDocument document;
    readInChunks(document, text, length, chunk);

    QByteArray written;
    RtfWriter(document).write([&written](const char* piece, qsizetype pieceSize) {
        written.append(piece, pieceSize);
        return true;
    });
    QTextDocument again;
    readInChunks(again, written.constData(), written.size(), 4096);
    return 0;
}
