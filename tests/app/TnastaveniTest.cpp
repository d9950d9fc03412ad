// The settings dialog: its controls, what it shows of the main window's
// components, what "OK" writes back, and that "Storno" writes nothing while
// the shortcut buttons act at once.

#include "tests/app/MainformFixture.h"

#include "app/TFolderEdit.h"
#include "app/TStatusBar.h"
#include "app/Tnastaveni.h"
#include "editcontrol/RichEditControl.h"
#include "platform/TTimer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

namespace {

// The main window's components that the dialog shows and sets.
struct Components
{
    bool autosave, statusBar, ruler, wordWrap, html;
    int interval, undoLimit;
    QString folder;
    friend bool operator==(const Components&, const Components&) = default;
};

void PrintTo(const Components& c, std::ostream* os)
{
    *os << "{autosave " << c.autosave << ", status bar " << c.statusBar << ", ruler " << c.ruler << ", wrap "
        << c.wordWrap << ", html " << c.html << ", " << c.interval << " ms, undo " << c.undoLimit << ", \""
        << c.folder.toStdString() << "\"}";
}

void setComponents(TMainform& window, const Components& c)
{
    window.Timer2->setEnabled(c.autosave);
    window.StatusBar1->setVisible(c.statusBar);
    window.ruler->setVisible(c.ruler);
    window.editor->setWordWrap(c.wordWrap);
    window.htmlsyntax->setChecked(c.html);
    window.Timer2->setInterval(c.interval);
    window.editor->setUndoLimit(c.undoLimit);
    window.SaveDialog1.initialDir = c.folder;
}

Components componentsOf(TMainform& window)
{
    return {window.Timer2->Enabled(),   !window.StatusBar1->isHidden(), !window.ruler->isHidden(),
            window.editor->WordWrap(),  window.htmlsyntax->isChecked(), window.Timer2->Interval(),
            window.editor->UndoLimit(), window.SaveDialog1.initialDir};
}

// The controls set to `c`, with its interval given as whole minutes.
void setControls(Tnastaveni& dialog, const Components& c)
{
    dialog.autosavecheck->setChecked(c.autosave);
    dialog.stavovyradek->setChecked(c.statusBar);
    dialog.Pravitko->setChecked(c.ruler);
    dialog.zalomeniradku->setChecked(c.wordWrap);
    dialog.zobrazenihtmlsyntaxe->setChecked(c.html);
    dialog.SpinEdit1->setValue(c.interval / 60000);
    dialog.zpetkrat->setValue(c.undoLimit);
    dialog.Umistenislozky->setText(c.folder);
}

} // namespace

class TnastaveniTest : public MainformFixture
{
protected:
    void SetUp() override
    {
        MainformFixture::SetUp();
        window = &createForm();
    }

    TMainform* window = nullptr;
};

TEST_F(TnastaveniTest, ControlsStandAtTheirPlacesWithTheirCaptions)
{
    struct Place
    {
        const char* name;
        const char* parent;
        const char* caption;
        QRect geometry; // a width or height of 0 is left to the control
        // The control it may move right of, when that one's caption runs longer than designed.
        const char* rightOf = nullptr;
    };
    const Place places[] = {
        {"PageControl1", "nastaveni", "", QRect(8, 8, 401, 289)},
        {"standupravy", "obecne", "Standardní úpravy", QRect(0, 0, 0, 0)},
        {"plocha", "standupravy", "Vytvoří zástupce na ploše", QRect(8, 24, 170, 25)},
        {"start", "standupravy", "Vytvoří zástupce v nabídce start", QRect(184, 24, 193, 25)},
        {"autosavecheck", "standupravy", "Automaticky ukládat po :", QRect(8, 74, 0, 0)},
        {"SpinEdit1", "standupravy", "", QRect(184, 72, 65, 0), "autosavecheck"},
        {"Label1", "standupravy", "Minutách", QRect(256, 76, 0, 0), "SpinEdit1"},
        {"Label2", "standupravy", "Nastavení počtu položek Zpět", QRect(8, 104, 0, 0)},
        {"zpetkrat", "standupravy", "", QRect(184, 100, 65, 0), "Label2"},
        {"Label3", "standupravy", "Krát", QRect(256, 104, 0, 0), "zpetkrat"},
        {"Label5", "standupravy", "Umístění ukládaných souborů", QRect(8, 136, 0, 0)},
        {"Umistenislozky", "standupravy", "", QRect(8, 160, 361, 21)},
        {"GroupBox1", "TabSheet1", "Zobrazení", QRect(0, 0, 0, 0)},
        {"zalomeniradku", "GroupBox1", "Zalomení řádků", QRect(8, 24, 0, 0)},
        {"stavovyradek", "GroupBox1", "Stavový řádek", QRect(8, 40, 0, 0)},
        {"Pravitko", "GroupBox1", "Pravítko", QRect(8, 56, 0, 0)},
        {"zobrazenihtmlsyntaxe", "GroupBox1", "Zobrazení html syntaxe", QRect(8, 72, 0, 0)},
        {"f2ok", "nastaveni", "OK", QRect(240, 304, 75, 25)},
        {"f2storno", "nastaveni", "Storno", QRect(328, 304, 75, 25)},
    };
    Tnastaveni dialog(*window);
    dialog.show();
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(place.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(place.parent));
        EXPECT_EQ(control->y(), place.geometry.y());
        if (place.rightOf) {
            const QWidget* before = dialog.findChild<QWidget*>(QString::fromLatin1(place.rightOf));
            EXPECT_GE(control->x(), place.geometry.x());
            EXPECT_GT(control->x(), before->geometry().right());
        } else {
            EXPECT_EQ(control->x(), place.geometry.x());
        }
        EXPECT_TRUE(place.geometry.width() == 0 || control->width() == place.geometry.width());
        EXPECT_TRUE(place.geometry.height() == 0 || control->height() == place.geometry.height());
        const char* property = qobject_cast<QGroupBox*>(control) ? "title" : "text";
        if (*place.caption) {
            EXPECT_EQ(control->property(property).toString(), QString::fromUtf8(place.caption));
        }
        if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control)) {
            EXPECT_TRUE(control->font().bold());
            EXPECT_EQ(control->font().pixelSize(), 11);
            EXPECT_EQ(control->palette().color(QPalette::WindowText), QColor(Qt::black));
        } else if (!qobject_cast<QGroupBox*>(control)) {
            EXPECT_FALSE(control->font().bold()); // not the group caption's
        }
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nastavení Programu"));
    EXPECT_EQ(dialog.minimumSize(), QSize(419, 337));
    EXPECT_EQ(dialog.maximumSize(), QSize(419, 337));
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.obecne);
    EXPECT_EQ(dialog.PageControl1->tabText(0), QStringLiteral("Obecné"));
    EXPECT_EQ(dialog.PageControl1->tabText(1), QStringLiteral("Zobrazení"));
    EXPECT_TRUE(dialog.f2ok->isDefault());
    EXPECT_EQ(dialog.SpinEdit1->maximum(), 60);
    EXPECT_EQ(dialog.zpetkrat->maximum(), 10000);
    EXPECT_EQ(dialog.Umistenislozky->toolTip(),
              QStringLiteral("Nastaví místo kde se budou ukládat vaše dokumenty"));
    // Each group fills its page.
    EXPECT_EQ(dialog.standupravy->size(), dialog.obecne->size());
    dialog.PageControl1->setCurrentWidget(dialog.TabSheet1);
    EXPECT_EQ(dialog.GroupBox1->size(), dialog.TabSheet1->size());
}

TEST_F(TnastaveniTest, ShowsTheComponentsWithPeriodAndUndoStepsClampedToTheFields)
{
    const std::tuple<Components, int, int> cases[] = {
        // components, minutes shown, undo steps shown
        {{true, false, false, false, false, 30000, 100, QStringLiteral("/home/u")}, 1, 100},
        {{true, true, true, true, true, 0, 0, QString()}, 1, 1},
        {{false, true, false, true, false, 7200000, 20000, QStringLiteral("/tmp")}, 60, 10000},
    };
    for (const auto& [components, minutes, undoSteps] : cases) {
        SCOPED_TRACE(::testing::PrintToString(components));
        setComponents(*window, components);
        Tnastaveni dialog(*window);
        dialog.FormShow(&dialog);
        Components shown{dialog.autosavecheck->isChecked(),
                         dialog.stavovyradek->isChecked(),
                         dialog.Pravitko->isChecked(),
                         dialog.zalomeniradku->isChecked(),
                         dialog.zobrazenihtmlsyntaxe->isChecked(),
                         dialog.SpinEdit1->value(),
                         dialog.zpetkrat->value(),
                         dialog.Umistenislozky->text()};
        Components expected = components;
        expected.interval = minutes;
        expected.undoLimit = undoSteps;
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(TnastaveniTest, OkAppliesEveryControlAndTheNewPeriodAtOnce)
{
    const Components cases[] = {
        {true, false, true, false, false, 60000, 7, QStringLiteral("/home/u/texty")},
        {true, true, false, true, false, 300000, 250, QString()},
        {false, true, true, false, true, 3600000, 10000, QStringLiteral("/tmp")},
    };
    for (const Components& chosen : cases) {
        SCOPED_TRACE(::testing::PrintToString(chosen));
        Tnastaveni dialog(*window);
        setControls(dialog, chosen);
        dialog.f2okClick(&dialog);
        EXPECT_EQ(componentsOf(*window), chosen);
        EXPECT_EQ(window->Timer2->isRunning(), chosen.autosave);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(TnastaveniTest, ASpinEditReadsTextThatIsNoNumberAsItsMinimumAndPullsValuesIntoRange)
{
    const std::tuple<const char*, const char*, int> cases[] = {
        {"SpinEdit1", "", 1}, {"SpinEdit1", "x", 1}, {"zpetkrat", "0", 1}, {"SpinEdit1", "45", 45}};
    for (const auto& [field, typed, value] : cases) {
        SCOPED_TRACE(std::string(field) + " \"" + typed + "\"");
        Tnastaveni dialog(*window);
        auto* spin = dialog.findChild<QSpinBox*>(QString::fromLatin1(field));
        spin->setValue(30);
        spin->findChild<QLineEdit*>()->setText(QString::fromLatin1(typed));
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(spin, &focusOut);
        EXPECT_EQ(spin->value(), value);
        EXPECT_EQ(spin->text(), QString::number(value));
    }
    // OK reads what stands in the fields, also before they lose the focus.
    Tnastaveni dialog(*window);
    dialog.SpinEdit1->setValue(30);
    dialog.SpinEdit1->findChild<QLineEdit*>()->setText(QString());
    dialog.zpetkrat->findChild<QLineEdit*>()->setText(QStringLiteral("0"));
    dialog.f2okClick(&dialog);
    EXPECT_EQ(window->Timer2->Interval(), 60000);
    EXPECT_EQ(window->editor->UndoLimit(), 1);
}

// OK leaves the document alone unless HTML highlighting goes from on to off:
// then the colours it gave become the automatic colour again, in one undo
// step, and the selection stays where it was.
TEST_F(TnastaveniTest, OkTakesTheTextColoursBackOnlyWhenHtmlHighlightingIsSwitchedOff)
{
    const std::pair<int, TColor> words[] = {{0, 0x0000FF}, {8, 0xFF0000}, {14, 0xFF00}};
    for (const bool highlighted : {false, true}) {
        SCOPED_TRACE(highlighted ? "highlighting switched off" : "highlighting never on");
        TZvRichEdit& editor = *createActiveForm().editor;
        const auto colorOfWord = [&editor](int start) {
            editor.SelectRange(start, start + 5, false);
            return editor.SelectionAttributes().TextColor();
        };
        editor.setText(QStringLiteral("červená modrá\rzelená"));
        for (const auto& [start, color] : words) {
            editor.SelectRange(start, start + 5, false);
            editor.SelectionAttributes().setTextColor(color);
        }
        form->htmlsyntax->setChecked(highlighted);
        editor.SelectRange(3, 9, false);
        editor.setIsModified(false);
        QTimer::singleShot(0, form.get(), [] {
            auto* dialog = qobject_cast<Tnastaveni*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* tabs = dialog->PageControl1->findChild<QTabBar*>();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
            if (dialog->zobrazenihtmlsyntaxe->isChecked())
                QTest::mouseClick(dialog->zobrazenihtmlsyntaxe, Qt::LeftButton);
            QTest::mouseClick(dialog->f2ok, Qt::LeftButton);
        });
        chooseFromMenu(form->Nastaven1, form->Monosti1);
        EXPECT_EQ(editor.SelectionStart(), 3);
        EXPECT_EQ(editor.SelectionLength(), 6);
        EXPECT_EQ(editor.IsModified(), highlighted);
        for (const auto& [start, color] : words)
            EXPECT_EQ(colorOfWord(start), highlighted ? clWindowText : color) << start;
        if (!highlighted)
            continue;
        editor.Undo();
        for (const auto& [start, color] : words)
            EXPECT_EQ(colorOfWord(start), color) << "one undo step brings the colours back";
    }
}

struct StornoCase
{
    const char* item;   // the command that opens the dialog
    const char* button; // the shortcut button pressed before "Storno"
    const char* folder; // where its launcher lands, under the home folder
};

void PrintTo(const StornoCase& c, std::ostream* os)
{
    *os << c.item << " with " << c.button;
}

class TnastaveniStornoTest : public TnastaveniTest, public ::testing::WithParamInterface<StornoCase>
{
};

TEST_P(TnastaveniStornoTest, StornoChangesNothingButAShortcutPressedBeforeItHasActed)
{
    const QString plugin = QStringLiteral(ZORVAN_PROGRAM_DIR "bin/zorvancsc.dll");
    if (!QFile::exists(plugin))
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    QDir().mkpath(programPath(QStringLiteral("bin")));
    ASSERT_TRUE(QFile::copy(plugin, programPath(QStringLiteral("bin/zorvancsc.dll"))));
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(programFolder()));
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DESKTOP_DIR"})
        qunsetenv(variable);
    const QDir launchers(programPath(QString::fromLatin1(GetParam().folder)));
    const Components before{true, true, true, true, false, 120000, 100, QStringLiteral("/home/u/texty")};
    setComponents(*window, before);

    bool shown = false;
    QTimer::singleShot(0, window, [&] {
        auto* dialog = qobject_cast<Tnastaveni*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_EQ(window->nastaveni, dialog);
        EXPECT_EQ(dialog->SpinEdit1->value(), 2); // filled when shown
        setControls(*dialog, {false, false, false, false, true, 540000, 5, QStringLiteral("/jinam")});
        dialog->findChild<QPushButton*>(QString::fromLatin1(GetParam().button))->click();
        EXPECT_EQ(launchers.entryList({QStringLiteral("*.desktop")}).size(), 1); // before "Storno"
        dialog->f2storno->click();
    });
    window->findChild<QAction*>(QString::fromLatin1(GetParam().item))->trigger();
    qputenv("HOME", savedHome);
    EXPECT_TRUE(shown);
    EXPECT_EQ(window->nastaveni, nullptr);
    EXPECT_EQ(componentsOf(*window), before);
    EXPECT_EQ(launchers.entryList({QStringLiteral("*.desktop")}).size(), 1);
    EXPECT_TRUE(desktop.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Shortcuts, TnastaveniStornoTest,
                         ::testing::Values(StornoCase{"Monosti1", "plocha", "Desktop"},
                                           StornoCase{"Monosti2", "start", ".local/share/applications"}),
                         [](const auto& info) { return std::string(info.param.button); });

TEST_F(TnastaveniTest, TheFolderButtonPutsTheChosenFolderIntoTheFieldAndACancelLeavesIt)
{
    const std::pair<std::optional<QString>, QString> cases[] = {
        {QStringLiteral("/home/u/Dokumenty"), QStringLiteral("/home/u/Dokumenty")},
        {std::nullopt, QStringLiteral("/home/u/texty")}};
    for (const auto& [answer, shown] : cases) {
        SCOPED_TRACE(shown.toStdString());
        desktop.clear();
        answer ? desktop.queueFolderAnswer(*answer) : desktop.queueFolderCancel();
        Tnastaveni dialog(*window);
        dialog.Umistenislozky->setText(QStringLiteral("/home/u/texty"));
        auto* button = dialog.Umistenislozky->findChild<QToolButton*>();
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_EQ(dialog.Umistenislozky->text(), shown);
        const auto calls = desktop.callsOf(ScriptedDesktop::CallKind::FolderBrowser);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, QStringLiteral("Vyberte složku do které se mají ukládat vaše soubory"));
        EXPECT_EQ(calls[0].dialog.initialDir, QStringLiteral("/home/u/texty"));
    }
}
