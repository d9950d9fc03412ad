// The settings dialog: its controls, what it shows of the main window's
// components, what "OK" writes back, and that "Storno" writes nothing while
// the shortcut buttons act at once.

#include "tests/app/MainformFixture.h"

#include "app/TFolderEdit.h"
#include "app/TStatusBar.h"
#include "app/Tnastaveni.h"
#include "platform/RichEditControl.h"
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
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

namespace {

// The main window's components that the dialog shows and sets.
struct Components
{
    bool autosave = false;
    int interval = 60000;
    QString folder;
    bool statusBar = true;
    bool ruler = true;
    bool wordWrap = true;
    int undoLimit = 100;
    bool html = false;
    friend bool operator==(const Components&, const Components&) = default;
};

void PrintTo(const Components& c, std::ostream* os)
{
    *os << "{autosave " << c.autosave << ", " << c.interval << " ms, \"" << c.folder.toStdString()
        << "\", status bar " << c.statusBar << ", ruler " << c.ruler << ", wrap " << c.wordWrap << ", undo "
        << c.undoLimit << ", html " << c.html << "}";
}

void setComponents(TMainform& window, const Components& c)
{
    window.Timer2->setEnabled(c.autosave);
    window.Timer2->setInterval(c.interval);
    window.SaveDialog1.initialDir = c.folder;
    window.StatusBar1->setVisible(c.statusBar);
    window.ruler->setVisible(c.ruler);
    window.editor->setWordWrap(c.wordWrap);
    window.editor->setUndoLimit(c.undoLimit);
    window.htmlsyntax->setChecked(c.html);
}

Components componentsOf(TMainform& window)
{
    return {window.Timer2->Enabled(),       window.Timer2->Interval(),     window.SaveDialog1.initialDir,
            !window.StatusBar1->isHidden(), !window.ruler->isHidden(),     window.editor->WordWrap(),
            window.editor->UndoLimit(),     window.htmlsyntax->isChecked()};
}

// The dialog's controls set to show `c`, with the period in whole minutes.
void setControls(Tnastaveni& dialog, const Components& c, int minutes)
{
    dialog.autosavecheck->setChecked(c.autosave);
    dialog.SpinEdit1->setValue(minutes);
    dialog.Umistenislozky->setText(c.folder);
    dialog.stavovyradek->setChecked(c.statusBar);
    dialog.Pravitko->setChecked(c.ruler);
    dialog.zalomeniradku->setChecked(c.wordWrap);
    dialog.zpetkrat->setValue(c.undoLimit);
    dialog.zobrazenihtmlsyntaxe->setChecked(c.html);
}

QString builtShortcutPlugin()
{
    return QStringLiteral(ZORVAN_PROGRAM_DIR "bin/zorvancsc.dll");
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

    // Opens the dialog through `item` and runs `whileOpen` on it once it shows.
    void runModal(QAction* item, const std::function<void(Tnastaveni&)>& whileOpen)
    {
        bool shown = false;
        QTimer::singleShot(0, window, [&] {
            auto* dialog = qobject_cast<Tnastaveni*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(window->nastaveni, dialog);
            shown = true;
            whileOpen(*dialog);
        });
        item->trigger();
        EXPECT_TRUE(shown);
        EXPECT_EQ(window->nastaveni, nullptr);
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
            EXPECT_GE(control->x(), place.geometry.x());
            EXPECT_GT(control->x(),
                      dialog.findChild<QWidget*>(QString::fromLatin1(place.rightOf))->geometry().right());
        } else {
            EXPECT_EQ(control->x(), place.geometry.x());
        }
        if (place.geometry.width() > 0) {
            EXPECT_EQ(control->width(), place.geometry.width());
        }
        if (place.geometry.height() > 0) {
            EXPECT_EQ(control->height(), place.geometry.height());
        }
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
    EXPECT_EQ(dialog.size(), QSize(419, 337));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.obecne);
    EXPECT_EQ(dialog.PageControl1->tabText(0), QStringLiteral("Obecné"));
    EXPECT_EQ(dialog.PageControl1->tabText(1), QStringLiteral("Zobrazení"));
    EXPECT_TRUE(dialog.f2ok->isDefault());
    EXPECT_EQ(std::pair(dialog.SpinEdit1->minimum(), dialog.SpinEdit1->maximum()), std::pair(1, 60));
    EXPECT_EQ(std::pair(dialog.zpetkrat->minimum(), dialog.zpetkrat->maximum()), std::pair(1, 10000));
    EXPECT_EQ(dialog.Umistenislozky->toolTip(),
              QStringLiteral("Nastaví místo kde se budou ukládat vaše dokumenty"));

    // Each group fills its page.
    EXPECT_EQ(dialog.standupravy->size(), dialog.obecne->size());
    dialog.PageControl1->setCurrentWidget(dialog.TabSheet1);
    EXPECT_EQ(dialog.GroupBox1->size(), dialog.TabSheet1->size());
}

TEST_F(TnastaveniTest, ShowsTheComponentsAndOkWritesTheShownValuesBack)
{
    struct Case
    {
        Components components;
        int minutes;   // shown
        int undoSteps; // shown
    };
    const Case cases[] = {
        {{true, 30000, QStringLiteral("/home/u/Dokumenty"), false, false, false, 100, false}, 1, 100},
        {{true, 0, QString(), true, true, true, 1, false}, 1, 1},
        {{false, 300000, QStringLiteral("/tmp"), true, false, true, 10000, false}, 5, 10000},
        {{false, 7200000, QStringLiteral("/tmp"), false, true, false, 20000, true}, 60, 10000},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::PrintToString(row.components));
        setComponents(*window, row.components);
        Tnastaveni dialog(*window);
        dialog.FormShow(&dialog);
        EXPECT_EQ(dialog.autosavecheck->isChecked(), row.components.autosave);
        EXPECT_EQ(dialog.SpinEdit1->value(), row.minutes);
        EXPECT_EQ(dialog.Umistenislozky->text(), row.components.folder);
        EXPECT_EQ(dialog.stavovyradek->isChecked(), row.components.statusBar);
        EXPECT_EQ(dialog.Pravitko->isChecked(), row.components.ruler);
        EXPECT_EQ(dialog.zalomeniradku->isChecked(), row.components.wordWrap);
        EXPECT_EQ(dialog.zpetkrat->value(), row.undoSteps);
        EXPECT_EQ(dialog.zobrazenihtmlsyntaxe->isChecked(), row.components.html);

        dialog.f2okClick(&dialog);
        Components written = row.components;
        written.interval = row.minutes * 60000;
        written.undoLimit = row.undoSteps;
        EXPECT_EQ(componentsOf(*window), written);
    }
}

TEST_F(TnastaveniTest, OkAppliesEveryControlAndTheNewPeriodAtOnce)
{
    struct Case
    {
        Components chosen; // with the period as the minutes give it
        int minutes;
    };
    const Case cases[] = {
        {{true, 60000, QStringLiteral("/home/u/texty"), false, true, false, 7, false}, 1},
        {{true, 300000, QString(), true, false, true, 250, false}, 5},
        {{false, 3600000, QStringLiteral("/tmp"), true, true, false, 10000, true}, 60},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::PrintToString(row.chosen));
        Tnastaveni dialog(*window);
        setControls(dialog, row.chosen, row.minutes);
        dialog.f2okClick(&dialog);
        EXPECT_EQ(componentsOf(*window), row.chosen);
        EXPECT_EQ(window->Timer2->isRunning(), row.chosen.autosave);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(TnastaveniTest, ASpinEditReadsTextThatIsNoNumberAsItsMinimumAndPullsValuesIntoRange)
{
    struct Case
    {
        const char* field;
        const char* typed;
        int value;
    };
    const Case cases[] = {
        {"SpinEdit1", "", 1}, {"SpinEdit1", "x", 1},   {"zpetkrat", "", 1},
        {"zpetkrat", "0", 1}, {"SpinEdit1", "45", 45},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(std::string(row.field) + " \"" + row.typed + "\"");
        Tnastaveni dialog(*window);
        auto* spin = dialog.findChild<QSpinBox*>(QString::fromLatin1(row.field));
        spin->setValue(30);
        spin->findChild<QLineEdit*>()->setText(QString::fromLatin1(row.typed));
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(spin, &focusOut);
        EXPECT_EQ(spin->value(), row.value);
        EXPECT_EQ(spin->text(), QString::number(row.value));
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

TEST_F(TnastaveniTest, OkWithoutHtmlSyntaxTurnsEveryColouredCharacterBlackAndSelectsTheWholeText)
{
    window->editor->setText(QStringLiteral("červená modrá\rzelená"));
    const std::pair<int, COLORREF> coloured[] = {{0, 0x0000FF}, {8, 0xFF0000}, {14, 0x00FF00}};
    for (const auto& [start, color] : coloured) {
        window->editor->SelectRange(start, start + 5, false);
        window->editor->SelectionAttributes().setTextColor(color);
    }
    window->editor->setSelectionStart(3);

    Tnastaveni dialog(*window);
    dialog.FormShow(&dialog);
    dialog.f2okClick(&dialog);

    QTextDocument* document = window->editor->control()->document();
    const int length = document->characterCount() - 1;
    EXPECT_EQ(window->editor->SelectionStart(), 0);
    EXPECT_EQ(window->editor->SelectionLength(), length);
    for (int position = 1; position <= length; ++position) {
        QTextCursor cursor(document);
        cursor.setPosition(position);
        EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::black)) << position;
    }
    EXPECT_TRUE(desktop.calls().empty()); // no plug-in asked for
}

TEST_F(TnastaveniTest, StornoAfterChangingEveryControlChangesNothing)
{
    const Components before{true, 120000, QStringLiteral("/home/u/texty"), true, true, true, 100, false};
    setComponents(*window, before);
    for (QAction* item : {window->Monosti1, window->Monosti2}) {
        SCOPED_TRACE(item->objectName().toStdString());
        runModal(item, [&](Tnastaveni& dialog) {
            EXPECT_EQ(dialog.SpinEdit1->value(), 2); // filled when shown
            setControls(dialog, {false, 0, QStringLiteral("/jinam"), false, false, false, 5, true}, 9);
            dialog.f2storno->click();
        });
        EXPECT_EQ(componentsOf(*window), before);
    }
    EXPECT_TRUE(desktop.calls().empty());
}

class TnastaveniShortcutTest : public TnastaveniTest,
                               public ::testing::WithParamInterface<std::pair<const char*, const char*>>
{
};

TEST_P(TnastaveniShortcutTest, AShortcutButtonActsAtOnceAndStornoDoesNotUndoIt)
{
    if (!QFile::exists(builtShortcutPlugin()))
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    const auto [button, folder] = GetParam();
    QDir().mkpath(programPath(QStringLiteral("bin")));
    ASSERT_TRUE(QFile::copy(builtShortcutPlugin(), programPath(QStringLiteral("bin/zorvancsc.dll"))));
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DESKTOP_DIR"})
        qunsetenv(variable);
    const QDir launchers(home.filePath(QString::fromLatin1(folder)));

    qsizetype launchersWhileOpen = -1;
    runModal(window->Monosti1, [&](Tnastaveni& dialog) {
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
        launchersWhileOpen = launchers.entryList({QStringLiteral("*.desktop")}, QDir::Files).size();
        dialog.f2storno->click();
    });
    qputenv("HOME", savedHome);
    EXPECT_EQ(launchersWhileOpen, 1);
    EXPECT_EQ(launchers.entryList({QStringLiteral("*.desktop")}, QDir::Files).size(), 1);
    EXPECT_TRUE(desktop.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, TnastaveniShortcutTest,
                         ::testing::Values(std::pair("plocha", "Desktop"),
                                           std::pair("start", ".local/share/applications")),
                         [](const auto& info) { return std::string(info.param.first); });

TEST_F(TnastaveniTest, TheFolderButtonPutsTheChosenFolderIntoTheFieldAndACancelLeavesIt)
{
    struct Case
    {
        std::optional<QString> answer;
        QString shown;
    };
    const Case cases[] = {
        {QStringLiteral("/home/u/Dokumenty"), QStringLiteral("/home/u/Dokumenty")},
        {std::nullopt, QStringLiteral("/home/u/texty")},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.shown.toStdString());
        desktop.clear();
        if (row.answer)
            desktop.queueFolderAnswer(*row.answer);
        else
            desktop.queueFolderCancel();
        Tnastaveni dialog(*window);
        dialog.Umistenislozky->setText(QStringLiteral("/home/u/texty"));
        auto* button = dialog.Umistenislozky->findChild<QToolButton*>();
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_EQ(dialog.Umistenislozky->text(), row.shown);
        const auto calls = desktop.callsOf(ScriptedDesktop::CallKind::FolderBrowser);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, QStringLiteral("Vyberte složku do které se mají ukládat vaše soubory"));
        EXPECT_EQ(calls[0].dialog.initialDir, QStringLiteral("/home/u/texty"));
    }
}
