#include "platform/ElfLibraryFault.h"

#include "tests/platform/CLibrary.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <link.h>

namespace {

using ElfHeader = ElfW(Ehdr);
using Damage = std::function<void(QByteArray&)>;

struct DamageRow
{
    const char* name;
    Damage apply;
};

ElfHeader headerOf(const QByteArray& bytes)
{
    ElfHeader header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    return header;
}

// A damage done to the fields of the library's ELF header.
Damage inHeader(void (*change)(ElfHeader&))
{
    return [change](QByteArray& bytes) {
        ElfHeader header = headerOf(bytes);
        change(header);
        std::memcpy(bytes.data(), &header, sizeof header);
    };
}

class ElfLibraryDamageTest : public ::testing::TestWithParam<DamageRow>
{
};

} // namespace

TEST(ElfLibraryFaultTest, AWholeSharedLibraryOfThisMachineHasNone)
{
    EXPECT_EQ(elfLibraryFault(cLibraryPath()).toStdString(), "");
}

TEST_P(ElfLibraryDamageTest, ACopyOfTheCLibraryDamagedSoHasAFault)
{
    QFile original(cLibraryPath());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    GetParam().apply(bytes);
    QTemporaryDir folder;
    QFile copy(folder.filePath(QStringLiteral("copy.so")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    copy.close();
    EXPECT_NE(elfLibraryFault(copy.fileName()), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ElfLibraryDamageTest,
    ::testing::Values(
        // The Windows library its name promises.
        DamageRow{"NotElf", [](QByteArray& bytes) { std::memcpy(bytes.data(), "MZ\x90\0", 4); }},
        DamageRow{"OtherClass", [](QByteArray& bytes) { bytes[EI_CLASS] = ELFCLASSNONE; }},
        DamageRow{"OtherByteOrder",
                  [](QByteArray& bytes) {
                      bytes[EI_DATA] = bytes[EI_DATA] == ELFDATA2LSB ? ELFDATA2MSB : ELFDATA2LSB;
                  }},
        DamageRow{"OtherVersionInTheIdentification",
                  [](QByteArray& bytes) { bytes[EI_VERSION] = EV_CURRENT + 1; }},
        DamageRow{"OtherVersion", inHeader([](ElfHeader& header) { header.e_version = EV_CURRENT + 1; })},
        DamageRow{"Executable", inHeader([](ElfHeader& header) { header.e_type = ET_EXEC; })},
        DamageRow{"OtherMachine", inHeader([](ElfHeader& header) {
                      header.e_machine = header.e_machine == EM_X86_64 ? EM_AARCH64 : EM_X86_64;
                  })},
        DamageRow{"ProgramHeadersOfAnotherSize",
                  inHeader([](ElfHeader& header) { header.e_phentsize -= 8; })},
        DamageRow{"ProgramHeadersFarPastTheEnd", inHeader([](ElfHeader& header) {
                      header.e_phoff = std::numeric_limits<decltype(header.e_phoff)>::max() - 8;
                  })},
        DamageRow{"TruncatedInsideTheProgramHeaders",
                  [](QByteArray& bytes) {
                      const ElfHeader header = headerOf(bytes);
                      bytes.truncate(qsizetype(header.e_phoff + header.e_phentsize));
                  }},
        // Each loadable segment of the C library is longer than 4 KB.
        DamageRow{"TruncatedTo4Kb", [](QByteArray& bytes) { bytes.truncate(4096); }}),
    [](const ::testing::TestParamInfo<DamageRow>& info) { return std::string(info.param.name); });
