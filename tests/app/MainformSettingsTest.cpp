// The settings file: read when the main window is created, written when it is
// asked to close.

#include "tests/app/MainformFixture.h"

#include "app/TStatusBar.h"
#include "platform/SysColor.h"
#include "platform/TIniFile.h"
#include "platform/TTimer.h"
#include "tests/platform/FileSizeLimit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>

#include <functional>

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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

TEST_F(MainformSettingsTest, CloseWritesAllThirteenKeysWithBooleansAsDigits)
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
                  "[nastaveni upravy]\r\nzalomeni radku=1\r\nkolikrat zpet=100\r\n"
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
    const char* name;
    const char* section;
    const char* key;
    QString value;
    // The applied setting as the file writes it.
    std::function<QString(const TMainform&)> applied;
};

void PrintTo(const RoundTripRow& row, std::ostream* out)
{
    *out << row.name;
}

class MainformSettingsRoundTripTest : public MainformSettingsTest,
                                      public ::testing::WithParamInterface<RoundTripRow>
{
};

TEST_P(MainformSettingsRoundTripTest, ValueIsAppliedAtStartAndWrittenBackAtClose)
{
    const RoundTripRow& row = GetParam();
    const QString section = QString::fromUtf8(row.section), key = QString::fromUtf8(row.key);
    writeSettings("[" + QByteArray(row.section) + "]\r\n" + row.key + "=" + row.value.toUtf8() + "\r\n");
    TMainform& window = createForm();
    window.show();
    EXPECT_EQ(row.applied(window), row.value);
    closeWindow(window);
    EXPECT_EQ(TIniFile(settingsPath()).ReadString(section, key, QString()), row.value);
}

QString number(int value)
{
    return QString::number(value);
}

QString digit(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MainformSettingsRoundTripTest,
    ::testing::Values(RoundTripRow{"AutosaveInterval", "nastaveni", "autosaveInterval", "300000",
                                   [](const TMainform& w) { return number(w.Timer2->Interval()); }},
                      RoundTripRow{"AutosaveOn", "nastaveni", "autosavetimer", "1",
                                   [](const TMainform& w) { return digit(w.Timer2->Enabled()); }},
                      RoundTripRow{"Height", "velikost", "vyskaformu", "500",
                                   [](const TMainform& w) { return number(w.height()); }},
                      RoundTripRow{"Width", "velikost", "sirkaformu", "1100",
                                   [](const TMainform& w) { return number(w.width()); }},
                      RoundTripRow{"SaveFolder", "nastaveni", "mistosave",
                                   QStringLiteral("/home/jana/Moje dokumenty"),
                                   [](const TMainform& w) { return w.SaveDialog1.initialDir; }},
                      RoundTripRow{"StatusBarHidden", "nastaveni zobrazeni", "stavradek", "0",
                                   [](const TMainform& w) { return digit(!w.StatusBar1->isHidden()); }},
                      RoundTripRow{"RulerHidden", "nastaveni zobrazeni", "pravitko", "0",
                                   [](const TMainform& w) { return digit(!w.ruler->isHidden()); }},
                      RoundTripRow{"WindowColour", "nastaveni zobrazeni", "barva programu", "255",
                                   [](const TMainform& w) {
                                       EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::red));
                                       return number(int(w.Color));
                                   }},
                      RoundTripRow{"HtmlHighlighting", "nastaveni zobrazeni", "html syntaxe", "1",
                                   [](const TMainform& w) { return digit(w.htmlsyntax->isChecked()); }},
                      RoundTripRow{"WordWrapOff", "nastaveni upravy", "zalomeni radku", "0",
                                   [](const TMainform& w) { return digit(w.editor->WordWrap()); }},
                      RoundTripRow{"UndoLimit", "nastaveni upravy", "kolikrat zpet", "5",
                                   [](const TMainform& w) { return number(w.editor->UndoLimit()); }},
                      RoundTripRow{"Top", "nastaveni na plose", "bod1", "40",
                                   [](const TMainform& w) { return number(w.y()); }},
                      RoundTripRow{"Left", "nastaveni na plose", "bod2", "60",
                                   [](const TMainform& w) { return number(w.x()); }}),
    [](const ::testing::TestParamInfo<RoundTripRow>& info) { return std::string(info.param.name); });

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
    EXPECT_EQ(QDir(programPath(QStringLiteral("config"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("nastaveni.ini")});
}
