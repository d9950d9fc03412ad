#pragma once

// Whether a file can be handed to the dynamic linker. dlopen maps a library's
// segments as its program headers describe them without comparing them with
// the file's length, so the pages of a truncated library past the end of its
// file raise SIGBUS at their first touch, inside dlopen, and end the program.

#include <QString>

// Why the file at `path` is not a whole shared library for the machine and
// ELF class of this program, or an empty string when it is: its ELF header,
// its program header table and every loadable segment must lie within the
// file. Only the headers are read.
QString elfLibraryFault(const QString& path);
