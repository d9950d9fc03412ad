#pragma once

// Moving bytes through an EDITSTREAM callback in chunks, as the control's
// streaming does in both directions.
//
// A callback answers 0 to go on and reports the bytes it moved; any other answer
// ends the transfer and is left in dwError. A read of 0 bytes ends the stream.

#include "editcontrol/RichEditTypes.h"

#include <QByteArrayView>

#include <functional>

namespace EditStreamIo {

// The size of the chunks handed to the callback.
constexpr LONG ChunkSize = 4096;

// Error codes the control puts into EDITSTREAM::dwError on its own account.
constexpr DWORD NoCallback = DWORD(-1);
constexpr DWORD WriteStalled = DWORD(-2);
constexpr DWORD WriteOvercounted = DWORD(-3); // the callback claimed more bytes than it was given
constexpr DWORD NotRtf = DWORD(-16);
constexpr DWORD DamagedPackage = DWORD(-17); // a Word or OpenDocument package that cannot be read

// Takes one chunk; false stops the reading.
using ChunkConsumer = std::function<bool(const char* data, qsizetype size)>;

// Hands every chunk of the stream to `consume` until the stream ends. False
// when the callback failed (dwError holds its answer) or `consume` refused a
// chunk (dwError is then 0).
bool readChunks(EDITSTREAM& stream, const ChunkConsumer& consume);

// Writes all of `bytes`, in chunks of at most ChunkSize. False when the
// callback failed (dwError holds its answer), wrote nothing (WriteStalled) or
// claimed more than it was given (WriteOvercounted: bytes would be skipped).
bool writeAll(EDITSTREAM& stream, QByteArrayView bytes);

} // namespace EditStreamIo
