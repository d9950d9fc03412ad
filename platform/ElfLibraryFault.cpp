#include "platform/ElfLibraryFault.h"

#include <QFile>

#include <dlfcn.h>
#include <elf.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// A 64-bit program maps only 64-bit libraries, and a 32-bit one 32-bit ones.
constexpr bool is64Bit = sizeof(void*) == 8;
using ElfHeader = std::conditional_t<is64Bit, Elf64_Ehdr, Elf32_Ehdr>;
using ProgramHeader = std::conditional_t<is64Bit, Elf64_Phdr, Elf32_Phdr>;
constexpr unsigned char thisClass = is64Bit ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char thisEncoding = std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;

// The machine this program was built for, read from its own ELF header, which
// the dynamic linker maps at the start of the program's image: no list of
// compilers' architecture macros to keep up to date.
std::uint16_t thisMachine()
{
    static const std::uint16_t machine = [] {
        Dl_info info{};
        dladdr(reinterpret_cast<void*>(&thisMachine), &info);
        return static_cast<const ElfHeader*>(info.dli_fbase)->e_machine;
    }();
    return machine;
}

// Whether the bytes from `offset` on, `length` of them, are all in the file;
// written so that no sum of the file's values can overflow.
bool liesWithin(std::uint64_t offset, std::uint64_t length, std::uint64_t fileSize)
{
    return offset <= fileSize && length <= fileSize - offset;
}

} // namespace

QString elfLibraryFault(const QString& path)
{
    // Unbuffered, so that reading the headers does not read ahead into the rest.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return file.errorString();
    ElfHeader header{};
    if (file.read(reinterpret_cast<char*>(&header), sizeof header) != qint64(sizeof header))
        return QStringLiteral("shorter than an ELF header");
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return QStringLiteral("not an ELF file");
    // The fields after the identification are read in this machine's byte order.
    if (header.e_ident[EI_CLASS] != thisClass || header.e_ident[EI_DATA] != thisEncoding)
        return QStringLiteral("an ELF file of another class or byte order");
    if (header.e_ident[EI_VERSION] != EV_CURRENT || header.e_version != EV_CURRENT)
        return QStringLiteral("an ELF file of an unknown version");
    if (header.e_type != ET_DYN)
        return QStringLiteral("not a shared library");
    if (header.e_machine != thisMachine())
        return QStringLiteral("a library for another machine");
    if (header.e_phentsize != sizeof(ProgramHeader))
        return QStringLiteral("program headers of an unknown size");

    // A table past the end of the file, or reaching beyond it, is read short;
    // an offset beyond qint64's range cannot be sought.
    std::vector<ProgramHeader> segments(header.e_phnum);
    const qint64 tableSize = qint64(segments.size() * sizeof(ProgramHeader));
    if (!file.seek(qint64(header.e_phoff)) ||
        file.read(reinterpret_cast<char*>(segments.data()), tableSize) != tableSize)
        return QStringLiteral("program header table outside the file");
    for (const ProgramHeader& segment : segments) {
        if (segment.p_type == PT_LOAD && !liesWithin(segment.p_offset, segment.p_filesz, file.size()))
            return QStringLiteral("a loadable segment reaches past the end of the file");
    }
    return {};
}
