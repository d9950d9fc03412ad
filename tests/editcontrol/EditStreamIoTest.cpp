#include "editcontrol/EditStreamIo.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// A stream over `bytes` that moves at most `chunk` bytes per call and answers
// `failAt` (a non-zero code) on the call of that number, counted from 1.
struct ScriptedStream
{
    QByteArray bytes;
    LONG chunk = EditStreamIo::ChunkSize;
    int failAt = 0;
    DWORD failure = 0;
    qsizetype offset = 0;
    int calls = 0;
    LONG largestRequest = 0;

    EDITSTREAM stream(EDITSTREAMCALLBACK callback) { return EDITSTREAM{DWORD_PTR(this), 0, callback}; }

    bool failsNow() { return ++calls == failAt; }

    static DWORD read(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred)
    {
        auto* self = reinterpret_cast<ScriptedStream*>(cookie);
        *transferred = 0;
        if (self->failsNow())
            return self->failure;
        const qsizetype n = std::min<qsizetype>({count, self->chunk, self->bytes.size() - self->offset});
        std::memcpy(buffer, self->bytes.constData() + self->offset, size_t(n));
        self->offset += n;
        *transferred = LONG(n);
        return 0;
    }

    static DWORD write(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred)
    {
        auto* self = reinterpret_cast<ScriptedStream*>(cookie);
        *transferred = 0;
        self->largestRequest = std::max(self->largestRequest, count);
        if (self->failsNow())
            return self->failure;
        const LONG n = std::min(count, self->chunk);
        self->bytes.append(reinterpret_cast<const char*>(buffer), n);
        *transferred = n;
        return 0;
    }
};

QByteArray sample(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 26);
    return bytes;
}

struct ChunkRow
{
    const char* name;
    qsizetype size;
    LONG chunk; // what the stream moves at most per call
};

void PrintTo(const ChunkRow& row, std::ostream* out)
{
    *out << row.name;
}

class EditStreamChunkTest : public ::testing::TestWithParam<ChunkRow>
{
};

TEST_P(EditStreamChunkTest, EveryByteArrivesOnceInOrder)
{
    const QByteArray bytes = sample(GetParam().size);
    ScriptedStream source{bytes, GetParam().chunk};
    EDITSTREAM in = source.stream(ScriptedStream::read);
    QByteArray read;
    EXPECT_TRUE(EditStreamIo::readChunks(in, [&](const char* data, qsizetype size) {
        read.append(data, size);
        return true;
    }));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(in.dwError, 0u);

    ScriptedStream sink{{}, GetParam().chunk};
    EDITSTREAM out = sink.stream(ScriptedStream::write);
    EXPECT_TRUE(EditStreamIo::writeAll(out, bytes));
    EXPECT_EQ(sink.bytes, bytes);
    EXPECT_LE(sink.largestRequest, EditStreamIo::ChunkSize);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditStreamChunkTest,
    ::testing::Values(ChunkRow{"Empty", 0, EditStreamIo::ChunkSize}, ChunkRow{"OneByteCalls", 10, 1},
                      ChunkRow{"ShortCalls", 9000, 7},
                      ChunkRow{"ExactlyOneChunk", EditStreamIo::ChunkSize, 100000},
                      ChunkRow{"SeveralChunks", 3 * EditStreamIo::ChunkSize + 5, 100000}),
    [](const ::testing::TestParamInfo<ChunkRow>& info) { return std::string(info.param.name); });

TEST(EditStreamIoTest, ACallbackFailureStopsAndStaysInTheErrorField)
{
    ScriptedStream source{sample(10000), 100, 3, 7};
    EDITSTREAM in = source.stream(ScriptedStream::read);
    qsizetype consumed = 0;
    EXPECT_FALSE(EditStreamIo::readChunks(in, [&](const char*, qsizetype size) {
        consumed += size;
        return true;
    }));
    EXPECT_EQ(in.dwError, 7u);
    EXPECT_EQ(consumed, 200);

    ScriptedStream sink{{}, 100, 2, 9};
    EDITSTREAM out = sink.stream(ScriptedStream::write);
    EXPECT_FALSE(EditStreamIo::writeAll(out, sample(1000)));
    EXPECT_EQ(out.dwError, 9u);
    EXPECT_EQ(sink.bytes.size(), 100);
}

TEST(EditStreamIoTest, ARefusedChunkStopsTheReadingWithoutAnError)
{
    ScriptedStream source{sample(10000), 100};
    EDITSTREAM in = source.stream(ScriptedStream::read);
    int chunks = 0;
    EXPECT_FALSE(EditStreamIo::readChunks(in, [&](const char*, qsizetype) { return ++chunks < 2; }));
    EXPECT_EQ(chunks, 2);
    EXPECT_EQ(in.dwError, 0u);
}

TEST(EditStreamIoTest, AWriterThatTakesNothingStalls)
{
    ScriptedStream sink{{}, 0};
    EDITSTREAM out = sink.stream(ScriptedStream::write);
    EXPECT_FALSE(EditStreamIo::writeAll(out, sample(10)));
    EXPECT_EQ(out.dwError, EditStreamIo::WriteStalled);
    EXPECT_EQ(sink.calls, 1) << "no endless retrying";
}

TEST(EditStreamIoTest, AWriterThatClaimsMoreThanItWasGivenFailsRatherThanSkipBytes)
{
    const EDITSTREAMCALLBACK overcounting = [](DWORD_PTR, BYTE*, LONG count, LONG* transferred) -> DWORD {
        *transferred = count + 1;
        return 0;
    };
    EDITSTREAM out{0, 0, overcounting};
    EXPECT_FALSE(EditStreamIo::writeAll(out, sample(EditStreamIo::ChunkSize * 2)));
    EXPECT_EQ(out.dwError, EditStreamIo::WriteOvercounted);
}

} // namespace
