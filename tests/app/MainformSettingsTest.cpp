// The settings file: read when the main window is created, written when it is
// asked to close.

#include "tests/app/MainformFixture.h"
#include "tests/TestFiles.h"

#include "app/TStatusBar.h"
#include "platform/SysColor.h"
#include "platform/TIniFile.h"
#include "platform/TTimer.h"
#include "tests/platform/FileSizeLimit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <climits>
#include <functional>

namespace {

} // namespace

class MainformSettingsTest : public MainformFixture
{
protected:
    QString settingsPath() const { return programPath(QStringLiteral("config/nastaveni.ini")); }

    void writeSettings(const QByteArray& bytes)
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Closes the shown window, which stores the settings first.
    void closeWindow(TMainform& window)
    {
        EXPECT_TRUE(window.close());
        EXPECT_FALSE(window.isVisible());
    }
};

TEST_F(MainformSettingsTest, FirstStartWithoutFileUsesEveryDefault)
{
    const TMainform& window = createForm();
    EXPECT_EQ(window.Timer2->Interval(), 60000);
    EXPECT_FALSE(window.Timer2->Enabled());
    EXPECT_EQ(window.size(), QSize(969, 623));
    EXPECT_EQ(window.pos(), QPoint(100, 100));
    EXPECT_EQ(window.SaveDialog1.initialDir, programFolder());
    EXPECT_FALSE(window.StatusBar1->isHidden());
    EXPECT_FALSE(window.ruler->isHidden());
    EXPECT_EQ(window.Color, clBtnFace);
    EXPECT_EQ(window.palette().color(QPalette::Window), SysColor(clBtnFace));
    EXPECT_FALSE(window.htmlsyntax->isChecked());
    EXPECT_TRUE(window.editor->WordWrap());
    EXPECT_EQ(window.editor->UndoLimit(), 100);
    EXPECT_TRUE(desktop.calls().empty());
}

// The thirteen keys of old, and spell checking, off where no Czech dictionary is installed.
TEST_F(MainformSettingsTest, CloseWritesAllFourteenKeysWithBooleansAsDigits)
{
    TMainform& window = createForm();
    window.show();
    closeWindow(window);
    const QByteArray folder = programFolder().toUtf8();
    EXPECT_EQ(contentsOf(settingsPath()),
              "[nastaveni]\r\nautosaveInterval=60000\r\nmistosave=" + folder +
                  "\r\nautosavetimer=0\r\n"
                  "[velikost]\r\nvyskaformu=623\r\nsirkaformu=969\r\n"
                  "[nastaveni zobrazeni]\r\nstavradek=1\r\npravitko=1\r\nbarva programu=-16777201\r\n"
                  "html syntaxe=0\r\n"
                  "[nastaveni upravy]\r\nzalomeni radku=1\r\nkolikrat zpet=100\r\nkontrola pravopisu=0\r\n"
                  "[nastaveni na plose]\r\nbod1=100\r\nbod2=100\r\n");
    EXPECT_TRUE(desktop.calls().empty());
}

TEST_F(MainformSettingsTest, ZeroIntervalLeavesTheEnabledAutosaveIdle)
{
    writeSettings("[nastaveni]\r\nautosaveInterval=0\r\nautosavetimer=1\r\n");
    const TMainform& window = createForm();
    EXPECT_TRUE(window.Timer2->Enabled());
    EXPECT_EQ(window.Timer2->Interval(), 0);
    EXPECT_FALSE(window.Timer2->isRunning());
}

struct RoundTripRow
{
    const char* section;
    const char* key;
    QString value;
    std::function<QString(const TMainform&)> applied; // the applied setting as the file writes it
};

class MainformSettingsRoundTripTest : public MainformSettingsTest,
                                      public ::testing::WithParamInterface<RoundTripRow>
{
};

TEST_P(MainformSettingsRoundTripTest, ValueIsAppliedAtStartAndWrittenBackAtClose)
{
    const RoundTripRow& row = GetParam();
    writeSettings("[" + QByteArray(row.section) + "]\r\n" + row.key + "=" + row.value.toUtf8() + "\r\n");
    TMainform& window = createForm();
    window.show();
    EXPECT_EQ(row.applied(window), row.value);
    closeWindow(window);
    EXPECT_EQ(TIniFile(settingsPath()).ReadString(row.section, row.key, QString()), row.value);
}

QString digit(bool value)
{
    return QString::number(int(value));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainformSettingsRoundTripTest,
    ::testing::Values(
        RoundTripRow{"nastaveni", "autosaveInterval", "300000",
                     [](auto& w) { return QString::number(w.Timer2->Interval()); }},
        RoundTripRow{"nastaveni", "autosavetimer", "1", [](auto& w) { return digit(w.Timer2->Enabled()); }},
        RoundTripRow{"velikost", "vyskaformu", "500", [](auto& w) { return QString::number(w.height()); }},
        RoundTripRow{"velikost", "sirkaformu", "1100", [](auto& w) { return QString::number(w.width()); }},
        RoundTripRow{"nastaveni", "mistosave", "/home/jana/Moje dokumenty",
                     [](auto& w) { return w.SaveDialog1.initialDir; }},
        RoundTripRow{"nastaveni zobrazeni", "stavradek", "0",
                     [](auto& w) { return digit(!w.StatusBar1->isHidden()); }},
        RoundTripRow{"nastaveni zobrazeni", "pravitko", "0",
                     [](auto& w) { return digit(!w.ruler->isHidden()); }},
        RoundTripRow{"nastaveni zobrazeni", "barva programu", "255",
                     [](auto& w) {
                         const QColor painted = w.palette().color(QPalette::Window);
                         return painted == Qt::red ? QString::number(int(w.Color)) : painted.name();
                     }},
        RoundTripRow{"nastaveni zobrazeni", "html syntaxe", "1",
                     [](auto& w) { return digit(w.htmlsyntax->isChecked()); }},
        RoundTripRow{"nastaveni upravy", "zalomeni radku", "0",
                     [](auto& w) { return digit(w.editor->WordWrap()); }},
        RoundTripRow{"nastaveni upravy", "kolikrat zpet", "5",
                     [](auto& w) { return QString::number(w.editor->UndoLimit()); }},
        RoundTripRow{"nastaveni na plose", "bod1", "40", [](auto& w) { return QString::number(w.y()); }},
        RoundTripRow{"nastaveni na plose", "bod2", "60", [](auto& w) { return QString::number(w.x()); }}),
    [](const auto& info) { return QString::fromUtf8(info.param.key).remove(u' ').toStdString(); });

// The test platform's screens, each available whole: the primary at 0,0
// 1920x1080 and a second to its right at 1920,0 1280x1024.
struct GeometryRow
{
    const char* name;
    int left; // bod2
    int top;  // bod1
    int width;
    int height;
    QRect expected;
};

class MainformSettingsGeometryTest : public MainformSettingsTest,
                                     public ::testing::WithParamInterface<GeometryRow>
{
protected:
    // The window's place and size as the settings file holds them.
    QRect storedGeometry() const
    {
        const TIniFile stored(settingsPath());
        const QString size = QStringLiteral("velikost");
        const QString place = QStringLiteral("nastaveni na plose");
        return QRect(stored.ReadInteger(place, QStringLiteral("bod2"), 0),
                     stored.ReadInteger(place, QStringLiteral("bod1"), 0),
                     stored.ReadInteger(size, QStringLiteral("sirkaformu"), 0),
                     stored.ReadInteger(size, QStringLiteral("vyskaformu"), 0));
    }
};

TEST_P(MainformSettingsGeometryTest, WindowIsKeptOnTheAvailableAreaOfItsScreenAndStoredSo)
{
    const GeometryRow& row = GetParam();
    writeSettings(QStringLiteral("[velikost]\r\nvyskaformu=%1\r\nsirkaformu=%2\r\n"
                                 "[nastaveni na plose]\r\nbod1=%3\r\nbod2=%4\r\n")
                      .arg(row.height)
                      .arg(row.width)
                      .arg(row.top)
                      .arg(row.left)
                      .toUtf8());
    TMainform& window = createForm();
    window.show();
    EXPECT_EQ(QRect(window.pos(), window.size()), row.expected);
    closeWindow(window);
    EXPECT_EQ(storedGeometry(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MainformSettingsGeometryTest,
    ::testing::Values(
        GeometryRow{"FittingOnTheSecondScreen", 2000, 50, 1100, 900, QRect(2000, 50, 1100, 900)},
        GeometryRow{"Huge", 100, 100, INT_MAX, INT_MAX, QRect(0, 0, 1920, 1080)},
        GeometryRow{"HugeOnTheSecondScreen", 2500, 300, INT_MAX, INT_MAX, QRect(1920, 0, 1280, 1024)},
        // On no screen, so kept on the primary one.
        GeometryRow{"AboveAndRightOfEveryScreen", 100000, -5000, 969, 623, QRect(951, 0, 969, 623)},
        GeometryRow{"OverTheSecondScreensCorner", 3000, 900, 969, 623, QRect(2231, 401, 969, 623)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainformSettingsTest, NegativeSizesGiveTheWindowItsMinimumSizeOnTheScreen)
{
    writeSettings("[velikost]\r\nvyskaformu=-300\r\nsirkaformu=-300\r\n"
                  "[nastaveni na plose]\r\nbod1=1000\r\nbod2=1900\r\n");
    TMainform& window = createForm();
    window.show();
    EXPECT_EQ(window.size(), window.minimumSize());
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(QRect(window.pos(), window.size())));
}

TEST_F(MainformSettingsTest, MissingConfigFolderIsReportedAndTheWindowStillCloses)
{
    ASSERT_TRUE(QDir(programPath(QStringLiteral("config"))).removeRecursively());
    TMainform& window = createForm();
    window.show();
    closeWindow(window);
    ASSERT_EQ(desktop.calls().size(), 1u);
    EXPECT_EQ(desktop.calls()[0].text, QStringLiteral("Nelze uložit konfiguraci"));
    EXPECT_EQ(desktop.calls()[0].flags, unsigned(MB_OK));
    EXPECT_FALSE(QFileInfo::exists(programPath(QStringLiteral("config"))));
}

TEST_F(MainformSettingsTest, FailedWriteKeepsThePreviousFile)
{
    const QByteArray previous = "; moje nastavení\r\n[nastaveni]\r\nautosavetimer=1\r\n";
    writeSettings(previous);
    TMainform& window = createForm();
    window.show();
    {
        // Too small for the thirteen keys, as a full disk would be.
        const FileSizeLimit limit(previous.size());
        closeWindow(window);
    }
    EXPECT_EQ(desktop.messageTexts(), QStringList{QStringLiteral("Nelze uložit konfiguraci")});
    EXPECT_EQ(contentsOf(settingsPath()), previous);
}
