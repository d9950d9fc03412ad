#include "editcontrol/EditStreamIo.h"

#include <algorithm>

namespace EditStreamIo {

bool readChunks(EDITSTREAM& stream, const ChunkConsumer& consume)
{
    BYTE buffer[ChunkSize];
    for (;;) {
        LONG got = 0;
        stream.dwError = stream.pfnCallback(stream.dwCookie, buffer, ChunkSize, &got);
        if (stream.dwError != 0)
            return false;
        if (got <= 0)
            return true;
        if (!consume(reinterpret_cast<const char*>(buffer), std::min(got, ChunkSize)))
            return false;
    }
}

bool writeAll(EDITSTREAM& stream, QByteArrayView bytes)
{
    for (qsizetype offset = 0; offset < bytes.size();) {
        const LONG count = LONG(std::min<qsizetype>(ChunkSize, bytes.size() - offset));
        LONG written = 0;
        stream.dwError = stream.pfnCallback(
            stream.dwCookie, reinterpret_cast<BYTE*>(const_cast<char*>(bytes.constData() + offset)), count,
            &written);
        if (stream.dwError != 0)
            return false;
        if (written <= 0) {
            stream.dwError = WriteStalled;
            return false;
        }
        if (written > count) {
            stream.dwError = WriteOvercounted;
            return false;
        }
        offset += written;
    }
    return true;
}

} // namespace EditStreamIo
