#include "platform/TIniFile.h"
#include "tests/TestFiles.h"

#include "platform/ZvExceptions.h"
#include "tests/platform/FileSizeLimit.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

const QString fallback = QStringLiteral("výchozí");

template <typename Row> class TIniFileTest : public ::testing::TestWithParam<Row>
{
protected:
    QString path() const { return m_folder.filePath(QStringLiteral("nastaveni.ini")); }
    QTemporaryDir m_folder;
};

struct ReadRow
{
    const char* name;
    QByteArray file;
    const char* section;
    const char* key;
    QString expected;
};
using TIniFileReadTest = TIniFileTest<ReadRow>;

TEST_P(TIniFileReadTest, ReadsTheValueOrTheDefault)
{
    writeFile(path(), GetParam().file);
    EXPECT_EQ(TIniFile(path()).ReadString(GetParam().section, GetParam().key, fallback), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TIniFileReadTest,
    ::testing::Values(
        ReadRow{"NamesIgnoreCase", "[Nastaveni]\r\nAutoSaveTimer=1\r\n", "NASTAVENI", "autosavetimer", "1"},
        ReadRow{"BlanksIgnored", "  [ nastaveni ]  \r\n\t mistosave =  /home/jana  \r\n", "nastaveni",
                "mistosave", "/home/jana"},
        ReadRow{"LaterEqualsSignsKept", "[a]\r\nk=x=y\r\n", "a", "k", "x=y"},
        ReadRow{"EmptyValueIsNotTheDefault", "[a]\r\nk=\r\n", "a", "k", ""},
        ReadRow{"FirstOfEqualKeysAndSectionsCounts", "[a]\nk=1\nk=2\n[A]\rk=3\r", "a", "k", "1"},
        ReadRow{"KeyOfAnotherSectionNotRead", "k=1\r\n[a]\r\nk=1\r\n[b]\r\nx=2\r\n", "b", "k", fallback},
        ReadRow{"MissingSection", "[a]\r\nk=1\r\n", "b", "k", fallback},
        ReadRow{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[a]\r\nk=\xC4\x8D\r\n", "a", "k", QStringLiteral("č")},
        ReadRow{"NotUtf8IsWindows1250", "[a]\r\nk=\xE8\xE1st\r\n", "a", "k", QStringLiteral("část")},
        ReadRow{"CutTo2047Characters", "[a]\r\nk=" + QByteArray(3000, 'x'), "a", "k", QString(2047, u'x')}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerRow
{
    const char* name;
    QByteArray text;
    std::optional<int> number; // none: not a number
};
using TIniFileIntegerTest = TIniFileTest<IntegerRow>;

TEST_P(TIniFileIntegerTest, NumbersAreReadAndAnythingElseGivesTheDefault)
{
    writeFile(path(), "[a]\r\nk=" + GetParam().text + "\r\n");
    const TIniFile settings(path());
    const std::optional<int> number = GetParam().number;
    EXPECT_EQ(settings.ReadInteger("a", "k", -7), number.value_or(-7));
    EXPECT_EQ(settings.ReadBool("a", "k", true), number.value_or(1) != 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, TIniFileIntegerTest,
                         ::testing::Values(IntegerRow{"Decimal", "60000", 60000}, IntegerRow{"Zero", "0", 0},
                                           IntegerRow{"Negative", "-16777201", -16777201},
                                           IntegerRow{"Hexadecimal", "0x1f", 31},
                                           IntegerRow{"HexadecimalTakenAs32Bits", "0XFF00000F", -16777201},
                                           IntegerRow{"TrailingLetters", "12abc", std::nullopt},
                                           IntegerRow{"Empty", "", std::nullopt},
                                           IntegerRow{"Fraction", "1.5", std::nullopt},
                                           IntegerRow{"BareHexPrefix", "0x", std::nullopt},
                                           IntegerRow{"BeyondInt", "2147483648", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteRow
{
    const char* name;
    std::optional<QByteArray> file; // none: no file yet
    const char* section;
    const char* key;
    QByteArray expected;
};
using TIniFileWriteTest = TIniFileTest<WriteRow>;

TEST_P(TIniFileWriteTest, WriteChangesOnlyItsKeyAndReadsSeeIt)
{
    const WriteRow& row = GetParam();
    if (row.file)
        writeFile(path(), *row.file);
    TIniFile settings(path());
    settings.WriteInteger(row.section, row.key, -16777201);
    EXPECT_EQ(settings.ReadInteger(row.section, row.key, 0), -16777201);
    EXPECT_EQ(contentsOf(path()), row.file.value_or("<missing>")) << "written before UpdateFile";
    settings.UpdateFile();
    EXPECT_EQ(contentsOf(path()), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TIniFileWriteTest,
    ::testing::Values(
        WriteRow{"UpdateInPlaceKeepsEveryOtherLine",
                 "; nastavení\r\n[b]\r\n Barva = 1\r\n; komentář\r\nj=5\r\n\r\n[a]\r\n", "B", "barva",
                 "; nastavení\r\n[b]\r\nBarva=-16777201\r\n; komentář\r\nj=5\r\n\r\n[a]\r\n"},
        WriteRow{"NewKeyAfterTheLastLineOfItsSection", "[a]\r\nx=1\r\n\r\n[b]\r\n", "a", "k",
                 "[a]\r\nx=1\r\nk=-16777201\r\n\r\n[b]\r\n"},
        WriteRow{"NewSectionAtTheEnd", "[a]\r\nx=1", "b", "k", "[a]\r\nx=1\r\n[b]\r\nk=-16777201\r\n"},
        WriteRow{"NoFileYet", std::nullopt, "a", "k", "[a]\r\nk=-16777201\r\n"},
        WriteRow{"Windows1250WrittenBackAsUtf8WithCrLf", "[a]\nk=\xE8\n", "a", "j",
                 "[a]\r\nk=\xC4\x8D\r\nj=-16777201\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every file and folder under `root` with the files' bytes.
std::map<QString, QByteArray> snapshot(const QString& root)
{
    std::map<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries[path] = it.fileInfo().isDir() ? QByteArray("<folder>") : contentsOf(path);
    }
    return entries;
}

enum class InTheWay { Nothing, PreviousFile, Folder };

struct FailureRow
{
    const char* name;
    const char* fileName;
    InTheWay inTheWay;
    rlim_t fileSizeLimit;
};
using TIniFileFailureTest = TIniFileTest<FailureRow>;

TEST_P(TIniFileFailureTest, FailedUpdateThrowsAndChangesNothingOnDisk)
{
    const QString fileName = m_folder.filePath(GetParam().fileName);
    switch (GetParam().inTheWay) {
    case InTheWay::Nothing:
        break;
    case InTheWay::PreviousFile:
        writeFile(fileName, "[a]\r\nk=/home/jana\r\n");
        break;
    case InTheWay::Folder:
        QDir().mkdir(fileName);
        writeFile(fileName + QStringLiteral("/uvnitr.txt"), "obsah");
        break;
    }
    const auto before = snapshot(m_folder.path());
    TIniFile settings(fileName);
    settings.WriteString("a", "k", QString(3000, u'x'));
    {
        const FileSizeLimit limit(GetParam().fileSizeLimit);
        EXPECT_THROW(settings.UpdateFile(), EFCreateError);
    }
    EXPECT_EQ(snapshot(m_folder.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, TIniFileFailureTest,
                         ::testing::Values(FailureRow{"MissingFolderNotCreated", "config/nastaveni.ini",
                                                      InTheWay::Nothing, RLIM_INFINITY},
                                           FailureRow{"PathIsAFolder", "nastaveni.ini", InTheWay::Folder,
                                                      RLIM_INFINITY},
                                           FailureRow{"DiskFullKeepsThePreviousFile", "nastaveni.ini",
                                                      InTheWay::PreviousFile, 1024}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
