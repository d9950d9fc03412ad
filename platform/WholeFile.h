#pragma once

// Files written whole or not at all, as every save of the program writes them:
// the content goes into a new file in the same folder, which has no name while
// it is written (a process that dies meanwhile leaves nothing behind), reaches
// the disk, and only then takes the place and the permissions of the old file.

#include <QString>

#include <functional>

class QIODevice;

namespace WholeFile {

// Writes `fileName` through `fill`, which writes the content into the device
// it is given and throws its own errors. Throws EFCreateError ("Cannot create
// file ...", with the file's fault: the system's reason) when the file cannot
// be created, written to its end, flushed to the disk or put in place, also
// when `fill` gave up because a write failed; the old file is then as it was.
void write(const QString& fileName, const std::function<void(QIODevice&)>& fill);

// Called with the descriptor of every new file as soon as it is open, before
// anything is written; none by default. Tests put a full disk behind it.
void setOpenedHook(std::function<void(int descriptor)> hook);

} // namespace WholeFile
