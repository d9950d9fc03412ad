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
// file ...") when the file cannot be created, written to its end, flushed to
// the disk or put in place; the old file is then as it was.
void write(const QString& fileName, const std::function<void(QIODevice&)>& fill);

} // namespace WholeFile
