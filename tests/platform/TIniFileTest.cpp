#include "platform/TIniFile.h"

#include "platform/ZvExceptions.h"
#include "tests/platform/FileSizeLimit.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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

class TIniFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    QString path(const QString& name = QStringLiteral("nastaveni.ini")) const
    {
        return m_folder.filePath(name);
    }
    QString root() const { return m_folder.path(); }

private:
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

void PrintTo(const ReadRow& row, std::ostream* out)
{
    *out << row.name;
}

class TIniFileReadTest : public TIniFileTest, public ::testing::WithParamInterface<ReadRow>
{
};

const QString fallback = QStringLiteral("výchozí");

TEST_P(TIniFileReadTest, ReadsTheValueOrTheDefault)
{
    writeFile(path(), GetParam().file);
    const TIniFile settings(path());
    EXPECT_EQ(settings.ReadString(QString::fromUtf8(GetParam().section), QString::fromUtf8(GetParam().key),
                                  fallback),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TIniFileReadTest,
    ::testing::Values(
        ReadRow{"NamesIgnoreCase", "[Nastaveni]\r\nAutoSaveTimer=1\r\n", "NASTAVENI", "autosavetimer", "1"},
        ReadRow{"BlanksAroundNamesAndValuesIgnored", "  [ nastaveni ]  \r\n\t mistosave =  /home/jana  \r\n",
                "nastaveni", "mistosave", "/home/jana"},
        ReadRow{"ValueKeepsLaterEqualsSigns", "[a]\r\nk=x=y\r\n", "a", "k", "x=y"},
        ReadRow{"EmptyValueIsNotTheDefault", "[a]\r\nk=\r\n", "a", "k", ""},
        ReadRow{"FirstOfTwoEqualKeysCounts", "[a]\nk=1\nk=2\n", "a", "k", "1"},
        ReadRow{"FirstOfTwoEqualSectionsCounts", "[a]\rk=1\r[A]\rk=2\r", "a", "k", "1"},
        ReadRow{"KeyOfAnotherSectionIsNotRead", "[a]\r\nk=1\r\n[b]\r\nx=2\r\n", "b", "k", fallback},
        ReadRow{"KeyBeforeAnySectionIsNotRead", "k=1\r\n[a]\r\n", "a", "k", fallback},
        ReadRow{"MissingSection", "[a]\r\nk=1\r\n", "b", "k", fallback},
        ReadRow{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[a]\r\nk=\xC4\x8D\r\n", "a", "k", QStringLiteral("č")},
        ReadRow{"NotUtf8IsWindows1250", "[a]\r\nk=\xE8\xE1st\r\n", "a", "k", QStringLiteral("část")},
        ReadRow{"LongValueCutTo2047Characters", "[a]\r\nk=" + QByteArray(3000, 'x'), "a", "k",
                QString(2047, u'x')}),
    [](const ::testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.name); });

TEST_F(TIniFileTest, MissingFileGivesTheDefaults)
{
    const TIniFile settings(path());
    EXPECT_EQ(settings.ReadString(QStringLiteral("a"), QStringLiteral("k"), fallback), fallback);
    EXPECT_EQ(settings.ReadInteger(QStringLiteral("a"), QStringLiteral("k"), 623), 623);
    EXPECT_TRUE(settings.ReadBool(QStringLiteral("a"), QStringLiteral("k"), true));
}

struct IntegerRow
{
    const char* name;
    QByteArray text;
    std::optional<int> number; // none: not a number
};

void PrintTo(const IntegerRow& row, std::ostream* out)
{
    *out << row.name;
}

class TIniFileIntegerTest : public TIniFileTest, public ::testing::WithParamInterface<IntegerRow>
{
};

TEST_P(TIniFileIntegerTest, NumbersAreReadAndAnythingElseGivesTheDefault)
{
    writeFile(path(), "[a]\r\nk=" + GetParam().text + "\r\n");
    const TIniFile settings(path());
    const std::optional<int> number = GetParam().number;
    EXPECT_EQ(settings.ReadInteger(QStringLiteral("a"), QStringLiteral("k"), -7), number.value_or(-7));
    EXPECT_EQ(settings.ReadBool(QStringLiteral("a"), QStringLiteral("k"), true), number.value_or(1) != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TIniFileIntegerTest,
    ::testing::Values(IntegerRow{"Decimal", "60000", 60000}, IntegerRow{"Zero", "0", 0},
                      IntegerRow{"Negative", "-16777201", -16777201}, IntegerRow{"BoolTwoIsTrue", "2", 2},
                      IntegerRow{"HexadecimalLowerX", "0x1f", 31},
                      IntegerRow{"HexadecimalUpperXTakenAs32Bits", "0XFF00000F", -16777201},
                      IntegerRow{"TrailingLettersAreNotANumber", "12abc", std::nullopt},
                      IntegerRow{"Word", "ano", std::nullopt}, IntegerRow{"Empty", "", std::nullopt},
                      IntegerRow{"Fraction", "1.5", std::nullopt},
                      IntegerRow{"HexadecimalWithoutDigits", "0x", std::nullopt},
                      IntegerRow{"BeyondInt", "2147483648", std::nullopt}),
    [](const ::testing::TestParamInfo<IntegerRow>& info) { return std::string(info.param.name); });

struct WriteRow
{
    const char* name;
    std::optional<QByteArray> file; // none: no file yet
    const char* section;
    const char* key;
    QString value;
    QByteArray expected;
};

void PrintTo(const WriteRow& row, std::ostream* out)
{
    *out << row.name;
}

class TIniFileWriteTest : public TIniFileTest, public ::testing::WithParamInterface<WriteRow>
{
};

TEST_P(TIniFileWriteTest, WriteChangesOnlyItsKeyAndReadsSeeIt)
{
    const WriteRow& row = GetParam();
    if (row.file)
        writeFile(path(), *row.file);
    TIniFile settings(path());
    const QString section = QString::fromUtf8(row.section), key = QString::fromUtf8(row.key);
    settings.WriteString(section, key, row.value);
    EXPECT_EQ(settings.ReadString(section, key, fallback), row.value);
    EXPECT_EQ(contentsOf(path()), row.file.value_or("<missing>")) << "written before UpdateFile";
    settings.UpdateFile();
    EXPECT_EQ(contentsOf(path()), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TIniFileWriteTest,
    ::testing::Values(
        WriteRow{"UpdateInPlaceKeepsEveryOtherLine",
                 "; nastavení\r\n[nastaveni]\r\n AutosaveInterval = 60000\r\n; komentář\r\njiny=5\r\n\r\n"
                 "[velikost]\r\nvyskaformu=623\r\n",
                 "NASTAVENI", "autosaveinterval", "300000",
                 "; nastavení\r\n[nastaveni]\r\nAutosaveInterval=300000\r\n; komentář\r\njiny=5\r\n\r\n"
                 "[velikost]\r\nvyskaformu=623\r\n"},
        WriteRow{"NewKeyAfterTheLastLineOfItsSection", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
                 "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        WriteRow{"NewSectionAtTheEnd", "[a]\r\nx=1", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteRow{"NoFileYet", std::nullopt, "nastaveni", "mistosave", QStringLiteral("/home/jana/Dokumenty"),
                 "[nastaveni]\r\nmistosave=/home/jana/Dokumenty\r\n"},
        WriteRow{"Windows1250FileWrittenBackAsUtf8WithCrLf", "[a]\nk=\xE8\n", "a", "j", "1",
                 "[a]\r\nk=\xC4\x8D\r\nj=1\r\n"}),
    [](const ::testing::TestParamInfo<WriteRow>& info) { return std::string(info.param.name); });

TEST_F(TIniFileTest, IntegersAndBooleansAreWrittenAsDecimalText)
{
    TIniFile settings(path());
    settings.WriteInteger(QStringLiteral("a"), QStringLiteral("barva"), int(0xFF00000F));
    settings.WriteBool(QStringLiteral("a"), QStringLiteral("zapnuto"), true);
    settings.WriteBool(QStringLiteral("a"), QStringLiteral("vypnuto"), false);
    settings.UpdateFile();
    EXPECT_EQ(contentsOf(path()), QByteArray("[a]\r\nbarva=-16777201\r\nzapnuto=1\r\nvypnuto=0\r\n"));
}

struct FailureRow
{
    const char* name;
    // Prepares the folder and gives the settings file's path.
    std::function<QString(const QString& root)> prepare;
    rlim_t fileSizeLimit; // RLIM_INFINITY: none
};

void PrintTo(const FailureRow& row, std::ostream* out)
{
    *out << row.name;
}

class TIniFileFailureTest : public TIniFileTest, public ::testing::WithParamInterface<FailureRow>
{
};

TEST_P(TIniFileFailureTest, FailedUpdateThrowsAndChangesNothingOnDisk)
{
    const QString fileName = GetParam().prepare(root());
    const auto before = snapshot(root());
    TIniFile settings(fileName);
    settings.WriteString(QStringLiteral("nastaveni"), QStringLiteral("mistosave"), QString(3000, u'x'));
    try {
        const FileSizeLimit limit(GetParam().fileSizeLimit);
        settings.UpdateFile();
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("nastaveni.ini"))) << error.what();
    }
    EXPECT_EQ(snapshot(root()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TIniFileFailureTest,
    ::testing::Values(FailureRow{"MissingFolderIsNotCreated",
                                 [](const QString& root) {
                                     return root + QStringLiteral("/config/nastaveni.ini");
                                 },
                                 RLIM_INFINITY},
                      FailureRow{"PathIsAFolder",
                                 [](const QString& root) {
                                     const QString folder = root + QStringLiteral("/nastaveni.ini");
                                     QDir().mkdir(folder);
                                     writeFile(folder + QStringLiteral("/uvnitr.txt"), "obsah");
                                     return folder;
                                 },
                                 RLIM_INFINITY},
                      FailureRow{"DiskFullKeepsThePreviousFile",
                                 [](const QString& root) {
                                     const QString fileName = root + QStringLiteral("/nastaveni.ini");
                                     writeFile(fileName, "[nastaveni]\r\nmistosave=/home/jana\r\n");
                                     return fileName;
                                 },
                                 1024}),
    [](const ::testing::TestParamInfo<FailureRow>& info) { return std::string(info.param.name); });

} // namespace
