// The component inventory of the main window: created with their design
// values and wired to their handlers. The handlers are in TMainform.cpp and in
// the TMainform*.cpp file of their command group.

#include "app/TMainform.h"

#include "app/FixedSizeItem.h"
#include "app/TStatusBar.h"
#include "app/ZvIcons.h"
#include "platform/SysColor.h"
#include "platform/TPicture.h"
#include "platform/TTimer.h"
#include "widgets/TIntSpinEdit.h"
#include "widgets/TZvColorGlyphs.h"
#include "widgets/TZvColorNames.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// `follower` is enabled exactly while `leader` is.
void followEnabled(QAction* follower, QAction* leader)
{
    QObject::connect(leader, &QAction::enabledChanged, follower, &QAction::setEnabled);
    follower->setEnabled(leader->isEnabled());
}

// The short part of a hint ("Cut|Cuts the selection..." -> "Cut") for tooltips.
QString shortHint(const QString& hint)
{
    return hint.section(u'|', 0, 0);
}

// Takes back the toggle that a click made by itself, quietly.
template <typename Checkable> void undoToggle(Checkable* checkable)
{
    const QSignalBlocker blocker(checkable);
    checkable->setChecked(!checkable->isChecked());
}

} // namespace

void TMainform::createComponents()
{
    setObjectName(QStringLiteral("Mainform"));
    setWindowTitle(QStringLiteral("Zorvan"));
    resize(873, 688);
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setPixelSize(11);
    setFont(designFont);
    setWindowIcon(ZvIcon(QStringLiteral("accessories-text-editor"), QStringLiteral("Z")));

    FlatMenu1 = new TZvFlatMenu(this);
    FlatMenu1->setObjectName(QStringLiteral("FlatMenu1"));
    QFont menuFont(QStringLiteral("Tahoma"));
    menuFont.setPixelSize(11);
    FlatMenu1->setFont(menuFont, clMenuText);
    FlatMenu1->setDimLevel(30);
    FlatMenu1->setGrayLevel(10);
    FlatMenu1->setColor(clGradientActiveCaption);
    FlatMenu1->setDrawMenuBar(true);
    FlatMenu1->setIconBackColor(clBtnFace);
    FlatMenu1->setMenuBarColor(clBtnFace);
    FlatMenu1->setSelectColor(clHighlight);
    FlatMenu1->setSelectBorderColor(clHighlight);
    FlatMenu1->setSelectFontColor(clMenuText);
    FlatMenu1->setDisabledColor(clInactiveCaption);
    FlatMenu1->setSeparatorColor(clBtnFace);
    FlatMenu1->setCheckedColor(clHighlight);
    FlatMenu1->setIconWidth(24);
    FlatMenu1->setDrawSelect(true);
    FlatMenu1->setUseSystemColors(true);
    FlatMenu1->setUseDimColor(true);
    FlatMenu1->setOverrideOwnerDraw(false);
    FlatMenu1->setGradient(true);
    FlatMenu1->setFlatMenu(true);
    FlatMenu1->setAutoDetect(true);
    FlatMenu1->setFlatControls(fcMainMenu | fcPopupMenu | fcControlbar | fcCombo | fcListBox | fcEdit |
                               fcMaskEdit | fcMiscEdit | fcCheckBox | fcRadioButton | fcBitBtn |
                               fcSpeedButton | fcUpDown | fcGroupBox | fcTreeView | fcListView |
                               fcProgressBar | fcHotKey);

    createActions();
    createMainMenu();
    createPopupMenus();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The cool bar: two bands, ToolBar1 above ToolBar2, each at least 26 high,
    // which the user may rearrange within the bar but never tear off.
    auto* coolBar = new QMainWindow(client);
    coolBar->setWindowFlags(Qt::Widget); // a window of its own by birth, a child here
    coolBar->setObjectName(QStringLiteral("CoolBar1"));
    coolBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    coolBar->setContentsMargins(0, 3, 0, 3); // 58 high with its two bands, as designed
    CoolBar1 = coolBar;
    createToolBar1();
    createToolBar2();
    for (QToolBar* band : {ToolBar1, ToolBar2}) {
        band->setMinimumHeight(26);
        band->setMovable(true);
        band->setFloatable(false);
        band->setAllowedAreas(Qt::TopToolBarArea);
        if (band != ToolBar1)
            coolBar->addToolBarBreak(Qt::TopToolBarArea);
        coolBar->addToolBar(Qt::TopToolBarArea, band);
    }
    column->addWidget(CoolBar1);

    // The ruler never changes size, and a window narrower than it clips it; the
    // order of the margin and indent values matters, as the margins move the indents.
    ruler = new TZvRuler(client);
    ruler->setObjectName(QStringLiteral("ruler"));
    ruler->setFixedSize(857, 25);
    ruler->setColor(clCaptionText);
    TFont rulerFont;
    rulerFont.Name = QStringLiteral("Small Fonts");
    rulerFont.Size = 7; // 9 pixels
    rulerFont.Charset = DEFAULT_CHARSET;
    rulerFont.Color = clWindowText;
    ruler->setFont(rulerFont);
    ruler->setMarginRight(87);
    ruler->setMarginLeft(62);
    ruler->setIndentFirst(62);
    ruler->setIndentLeft(62);
    ruler->setIndentRight(183);
    ruler->setShowMarginHandlers(false);
    ruler->OnIndentChange = [this](QObject* sender, TIndentID id) { rulerIndentChange(sender, id); };
    column->addItem(new FixedSizeItem(ruler));

    editor = new TZvRichEdit(client);
    editor->setObjectName(QStringLiteral("editor"));
    editor->setDesktop(&m_desktop); // its find and replace dialogs
    editor->setHideSelection(false);
    editor->setMaxLength(0x7FFFFFF0);
    editor->setWantTabs(true);
    editor->setPopupMenu(PopupMenu1);
    column->addWidget(editor, 1);
    connectEditor();
    createSpelling();

    htmlsyntax = new QCheckBox(QStringLiteral("htmlsyntax"), client);
    htmlsyntax->setObjectName(QStringLiteral("htmlsyntax"));
    htmlsyntax->setChecked(false);
    htmlsyntax->hide();

    setCentralWidget(client);
    createStatusBar();

    Timer1 = new TTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    Timer1->OnTimer = [this](QObject* sender) { Timer1Timer(sender); };
    // The autosave timer keeps its design state (enabled, every second) until
    // LoadSettings sets it; the first tick cannot come before the event loop runs.
    Timer2 = new TTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->OnTimer = [this](QObject* sender) { Timer2Timer(sender); };

    OpenDialog1.filters = {
        {QStringLiteral("Textové dokumenty(*.rtf;*.doc;*.zvd)"), QStringLiteral("*.rtf;*.doc;*.zvd;")},
        {QStringLiteral("delphi soubory(*.pas;*.dfm;*.dpr)"), QStringLiteral("*.pas;*.dfm;*.dpr;")},
        {QStringLiteral("dávkové soubory(*.bat;*.sys;*.ini)"), QStringLiteral("*.bat;*.sys;*.ini;")},
        {QStringLiteral("neformatovany text(*.txt;)"), QStringLiteral("*.txt;")},
        {QStringLiteral("všechny soubory(*.*)"), QStringLiteral("*.*;")},
        {QStringLiteral("Dokumenty Word a OpenDocument (*.docx;*.odt)"), QStringLiteral("*.docx;*.odt;")},
    };
    SaveDialog1.filters = {
        {QStringLiteral("Zorvan text(*.zvd)"), QStringLiteral("*.zvd")},
        {QStringLiteral("Textový dokument(*.doc)"), QStringLiteral("*.doc")},
        {QStringLiteral("Standardní formatovaný text(*.rtf)"), QStringLiteral("*.rtf")},
        {QStringLiteral("Neformátovaný text(*.txt)"), QStringLiteral("*.txt")},
        {QStringLiteral("Dokument Word (*.docx)"), QStringLiteral("*.docx")},
        {QStringLiteral("Dokument OpenDocument (*.odt)"), QStringLiteral("*.odt")},
    };
    SaveDialog1.defaultExtension = QStringLiteral("zvd");
    SaveDialog1.overwritePrompt = true;
    OpenPictureDialog1.filters = TPicture::DialogFilters();
    OpenPictureDialog1.fileMustExist = true;
}

void TMainform::createActions()
{
    struct Design
    {
        QAction** action;
        EditControl::Command command;
        const char* name;
        QString caption;
        QString hint;
        QKeySequence shortcut;
        QString iconName;
        QString glyph;
    };
    const Design designs[] = {
        {&EditCut1, EditControl::Command::Cut, "EditCut1", QStringLiteral("Cu&t"),
         QStringLiteral("Cut|Cuts the selection and puts it on the Clipboard"),
         QKeySequence(QStringLiteral("Ctrl+X")), QStringLiteral("edit-cut"), QStringLiteral("✂")},
        {&EditCopy1, EditControl::Command::Copy, "EditCopy1", QStringLiteral("&Copy"),
         QStringLiteral("Copy|Copies the selection and puts it on the Clipboard"),
         QKeySequence(QStringLiteral("Ctrl+C")), QStringLiteral("edit-copy"), QStringLiteral("C")},
        {&EditPaste1, EditControl::Command::Paste, "EditPaste1", QStringLiteral("&Paste"),
         QStringLiteral("Paste|Inserts Clipboard contents"), QKeySequence(QStringLiteral("Ctrl+V")),
         QStringLiteral("edit-paste"), QStringLiteral("V")},
        {&EditSelectAll1, EditControl::Command::SelectAll, "EditSelectAll1", QStringLiteral("Select &All"),
         QStringLiteral("Select All|Selects the entire document"), QKeySequence(QStringLiteral("Ctrl+A")),
         QStringLiteral("edit-select-all"), QStringLiteral("A")},
        {&EditUndo1, EditControl::Command::Undo, "EditUndo1", QStringLiteral("&Undo"),
         QStringLiteral("Undo|Reverts the last action"), QKeySequence(QStringLiteral("Ctrl+Z")),
         QStringLiteral("edit-undo"), QStringLiteral("↶")},
        {&EditDelete1, EditControl::Command::Delete, "EditDelete1", QStringLiteral("&Delete"),
         QStringLiteral("Delete|Erases the selection"), QKeySequence(), QStringLiteral("edit-delete"),
         QStringLiteral("✕")},
    };
    for (const Design& design : designs) {
        auto* action = new QAction(ZvIcon(design.iconName, design.glyph), design.caption, this);
        action->setObjectName(QString::fromLatin1(design.name));
        action->setStatusTip(design.hint);
        action->setToolTip(shortHint(design.hint));
        action->setShortcut(design.shortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this,
                [this, command = design.command] { runEditAction(command); });
        *design.action = action;
    }
    // The shortcuts work anywhere in the window. Ctrl+A is matched by the main
    // menu's "Vybrat vše" first, so the select-all action keeps it only for show.
    EditSelectAll1->setShortcutContext(Qt::WidgetShortcut);
    for (QAction* action : {EditCut1, EditCopy1, EditPaste1, EditUndo1, EditDelete1})
        addAction(action);

    m_applicationConnections << connect(qApp, &QApplication::focusChanged, this, [this] {
        watchFocusedEditControl(focusedEditControl());
        UpdateEditActions();
    }) << connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainform::UpdateEditActions);
}

namespace {

using Handler = void (TMainform::*)(QObject*);

} // namespace

// A highlighted item's hint is the application's hint while the menu is open.
void TMainform::watchMenuHints(QMenu* menu)
{
    connect(menu, &QMenu::hovered, this,
            [this](QAction* action) { setApplicationHint(action->statusTip()); });
    connect(menu, &QMenu::aboutToHide, this, [this] { setApplicationHint(QString()); });
}

void TMainform::createMainMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    auto subMenu = [this](QWidget* owner, const char* name, const QString& caption, const QString& hint) {
        auto* menu = new QMenu(caption, owner);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setStatusTip(hint);
        watchMenuHints(menu);
        return menu;
    };
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QString& hint,
                       const QIcon& icon, Handler handler) {
        auto* action = new QAction(icon, caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setStatusTip(hint);
        if (handler)
            connect(action, &QAction::triggered, this, [this, action, handler] { (this->*handler)(action); });
        menu->addAction(action);
        return action;
    };

    Soubor1 = subMenu(MainMenu1, "Soubor1", QStringLiteral("&Soubor"), QStringLiteral("soubor"));
    Nov1 = item(Soubor1, "Nov1", QStringLiteral("&Nový"), QStringLiteral("nový"),
                ZvIcon(QStringLiteral("document-new"), QStringLiteral("N")), &TMainform::Nov1Click);
    Otevt1 = item(Soubor1, "Otevt1", QStringLiteral("&Otevřít"), {},
                  ZvIcon(QStringLiteral("document-open"), QStringLiteral("O")), &TMainform::Otevt1Click);
    uloit1 = item(Soubor1, "uloit1", QStringLiteral("&Uložit"), {},
                  ZvIcon(QStringLiteral("document-save"), QStringLiteral("U")), &TMainform::uloit1Click);
    Uloitjako1 =
        item(Soubor1, "Uloitjako1", QStringLiteral("Uložit &jako"), {},
             ZvIcon(QStringLiteral("document-save-as"), QStringLiteral("U…")), &TMainform::Uloitjako1Click);
    Soubor1->addSeparator();
    vzhledstrnky1 = item(
        Soubor1, "vzhledstrnky1", QStringLiteral("&Vzhled stránky"), QStringLiteral("vzhled stránky"),
        ZvIcon(QStringLiteral("document-properties"), QStringLiteral("Vs")), &TMainform::vzhledstrnky1Click);
    isk1 = item(Soubor1, "isk1", QStringLiteral("&Tisk"), QStringLiteral("tisk"),
                ZvIcon(QStringLiteral("document-print"), QStringLiteral("T")), &TMainform::isk1Click);
    Soubor1->addSeparator();
    Konec1 = item(Soubor1, "Konec1", QStringLiteral("&Konec"), QStringLiteral("ukončí aplikaci"),
                  ZvIcon(QStringLiteral("application-exit"), QStringLiteral("K")), &TMainform::Konec1Click);
    Konec1->setShortcut(QKeySequence(Qt::Key_F10));
    Nov1->setShortcut(QKeySequence::New);
    Otevt1->setShortcut(QKeySequence::Open);
    uloit1->setShortcut(QKeySequence::Save);
    isk1->setShortcut(QKeySequence::Print);

    U1 = subMenu(MainMenu1, "U1", QStringLiteral("Ú&pravy"), QStringLiteral("Úpravy"));
    zpt1 = item(U1, "zpt1", QStringLiteral("&Zpět"), {},
                ZvIcon(QStringLiteral("edit-undo"), QStringLiteral("↶")), &TMainform::Zpt2Click);
    Vped2 = item(U1, "Vped2", QStringLiteral("&Vpřed"), {},
                 ZvIcon(QStringLiteral("edit-redo"), QStringLiteral("↷")), &TMainform::Vped1Click);
    // Shown only: the editor answers the keys itself.
    zpt1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    Vped2->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
    for (QAction* shown : {zpt1, Vped2})
        shown->setShortcutContext(Qt::WidgetShortcut);
    U1->addSeparator();
    // These four carry no command of their own; they run the edit actions like
    // their counterparts in the pop-up menu and on the tool bar.
    Koprovat1 = item(U1, "Koprovat1", QStringLiteral("&Kopírovat"), {}, EditCopy1->icon(), nullptr);
    Vyjmout1 = item(U1, "Vyjmout1", QStringLiteral("Vyj&mout"), {}, EditCut1->icon(), nullptr);
    Vloit1 = item(U1, "Vloit1", QStringLiteral("V&ložit"), {}, EditPaste1->icon(), nullptr);
    Vloitjakoprostytext1 = item(U1, "Vloitjakoprostytext1", QStringLiteral("Vložit jako &prostý text"), {},
                                EditPaste1->icon(), &TMainform::Vloitjakoprostytext1Click);
    Vloitjakoprostytext1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+V")));
    followEnabled(Vloitjakoprostytext1, EditPaste1);
    U1->addSeparator();
    Vybratve1 = item(U1, "Vybratve1", QStringLiteral("Vybrat vš&e"), {}, EditSelectAll1->icon(),
                     &TMainform::Vybratve1Click);
    Vybratve1->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    vymazat1 = item(U1, "vymazat1", QStringLiteral("Vym&azat"), {}, EditDelete1->icon(), nullptr);
    for (auto [menuItem, action] : {std::pair{Koprovat1, EditCopy1}, std::pair{Vyjmout1, EditCut1},
                                    std::pair{Vloit1, EditPaste1}, std::pair{vymazat1, EditDelete1}}) {
        connect(menuItem, &QAction::triggered, action, &QAction::trigger);
        followEnabled(menuItem, action);
    }

    Vloit2 = subMenu(MainMenu1, "Vloit2", QStringLiteral("&Vložit"), QString());
    Datum1 =
        item(Vloit2, "Datum1", QStringLiteral("&Datum a čas"), QStringLiteral("Vloží aktuální datum a čas"),
             ZvIcon(QStringLiteral("view-calendar-day"), QStringLiteral("D")), &TMainform::Datum1Click);
    Obrzek1 = item(Vloit2, "Obrzek1", QStringLiteral("&Bitmapu"), QStringLiteral("Vloží bitmapu"),
                   ZvIcon(QStringLiteral("insert-image"), QStringLiteral("B")), &TMainform::Obrzek1Click);
    Dal2 = item(Vloit2, "Dal2", QStringLiteral("D&alší..."), {},
                ZvIcon(QStringLiteral("insert-table"), QStringLiteral("…")), &TMainform::Dal2Click);

    Najt1 = subMenu(MainMenu1, "Najt1", QStringLiteral("Na&jít"), QStringLiteral("najít"));
    Najtvtextu1 =
        item(Najt1, "Najtvtextu1", QStringLiteral("&Najít v textu"), QStringLiteral("Najít v textu"),
             ZvIcon(QStringLiteral("edit-find"), QStringLiteral("?")), &TMainform::Najtvtextu1Click);
    Najtvtextu1->setShortcut(QKeySequence::Find);
    Nahradittext1 = item(
        Najt1, "Nahradittext1", QStringLiteral("Nah&radit text"), QStringLiteral("Nahradí vybraný text"),
        ZvIcon(QStringLiteral("edit-find-replace"), QStringLiteral("R")), &TMainform::Nahradittext1Click);

    Nastaven1 = subMenu(MainMenu1, "Nastaven1", QStringLiteral("Nas&tavení"), QStringLiteral("Nastavení"));
    Psmo1 =
        item(Nastaven1, "Psmo1", QStringLiteral("&Písmo..."), QStringLiteral("Nastavení písma"),
             ZvIcon(QStringLiteral("preferences-desktop-font"), QStringLiteral("P")), &TMainform::Psmo1Click);
    Barvapsma1 = item(Nastaven1, "Barvapsma1", QStringLiteral("&Barva písma..."),
                      QStringLiteral("Nastaví barvu písma"),
                      ZvIcon(QStringLiteral("format-text-color"), QStringLiteral("A"), Qt::red),
                      &TMainform::Barvapsma1Click);
    Barvapozadpsma1 = item(Nastaven1, "Barvapozadpsma1", QStringLiteral("Barva p&ozadí písma..."), {},
                           ZvIcon(QStringLiteral("format-fill-color"), QStringLiteral("▒")),
                           &TMainform::Barvapozadpsma1Click);
    Monosti1 = item(Nastaven1, "Monosti1", QStringLiteral("&Možnosti..."),
                    QStringLiteral("Zobrazí možnosti programu"),
                    ZvIcon(QStringLiteral("configure"), QStringLiteral("M")), &TMainform::Monosti1Click);

    Help1 = subMenu(MainMenu1, "Help1", QStringLiteral("&Nápověda"), QStringLiteral("Nápověda"));
    Oprogramu1 = item(Help1, "Oprogramu1", QStringLiteral("O &programu"), QStringLiteral("O programu"),
                      ZvIcon(QStringLiteral("help-about"), QStringLiteral("i")), &TMainform::Oprogramu1Click);
    Oautorovi1 =
        item(Help1, "Oautorovi1", QStringLiteral("O &autorovi"), QStringLiteral("O autorovi"),
             ZvIcon(QStringLiteral("user-identity"), QStringLiteral("☺")), &TMainform::Oautorovi1Click);

    for (QMenu* menu : {Soubor1, U1, Vloit2, Najt1, Nastaven1, Help1})
        MainMenu1->addMenu(menu);
}

void TMainform::createPopupMenus()
{
    auto menuWithHints = [this](QWidget* owner, const char* name, const QString& caption) {
        auto* menu = new QMenu(caption, owner);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        watchMenuHints(menu);
        return menu;
    };
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QIcon& icon,
                       Handler handler) {
        auto* action = new QAction(icon, caption, this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, action, handler] { (this->*handler)(action); });
        menu->addAction(action);
        return action;
    };
    // An item bound to an edit action shows its own caption and the action's
    // hint, image, shortcut and enabled state, and runs the action.
    auto boundItem = [this](QMenu* menu, const char* name, const QString& caption, QAction* action) {
        auto* bound = new QAction(action->icon(), caption, this);
        bound->setObjectName(QString::fromLatin1(name));
        bound->setStatusTip(action->statusTip());
        bound->setShortcut(action->shortcut());
        bound->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; the action's own shortcut acts
        bound->setEnabled(action->isEnabled());
        connect(bound, &QAction::triggered, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, bound, &QAction::setEnabled);
        menu->addAction(bound);
        return bound;
    };

    PopupMenu1 = menuWithHints(this, "PopupMenu1", QString());
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TMainform::UpdateEditActions);
    Koprovat2 = boundItem(PopupMenu1, "Koprovat2", QStringLiteral("&Kopírovat"), EditCopy1);
    Vyjmout2 = boundItem(PopupMenu1, "Vyjmout2", QStringLiteral("Vyj&mout"), EditCut1);
    Vloit3 = boundItem(PopupMenu1, "Vloit3", QStringLiteral("V&ložit"), EditPaste1);
    Vloitjakoprostytext2 =
        item(PopupMenu1, "Vloitjakoprostytext2", QStringLiteral("Vložit jako &prostý text"),
             EditPaste1->icon(), &TMainform::Vloitjakoprostytext1Click);
    followEnabled(Vloitjakoprostytext2, EditPaste1);
    PopupMenu1->addSeparator();
    Vloitdal1 = menuWithHints(PopupMenu1, "Vloitdal1", QStringLiteral("Vložit &další..."));
    PopupMenu1->addMenu(Vloitdal1);
    Obrzek2 =
        item(Vloitdal1, "Obrzek2", QStringLiteral("&Obrázek"),
             ZvIcon(QStringLiteral("insert-image"), QStringLiteral("B")), &TMainform::VloitBitmapu1Click);
    Datumaas1 = item(Vloitdal1, "Datumaas1", QStringLiteral("&Datum a čas"),
                     ZvIcon(QStringLiteral("view-calendar-day"), QStringLiteral("D")),
                     &TMainform::Vloitdatumaas1Click);
    Dal3 = item(Vloitdal1, "Dal3", QStringLiteral("D&alší..."),
                ZvIcon(QStringLiteral("insert-table"), QStringLiteral("…")), &TMainform::Dal3Click);
    PopupMenu1->addSeparator();
    Psmo2 = item(PopupMenu1, "Psmo2", QStringLiteral("Pí&smo"),
                 ZvIcon(QStringLiteral("preferences-desktop-font"), QStringLiteral("P")),
                 &TMainform::Nastavenpsma1Click);
    Odstavec1 =
        item(PopupMenu1, "Odstavec1", QStringLiteral("&Odstavec"),
             ZvIcon(QStringLiteral("format-indent-more"), QStringLiteral("¶")), &TMainform::Odstavec1Click);
    PopupMenu1->addSeparator();
    Najtvtextu2 =
        item(PopupMenu1, "Najtvtextu2", QStringLiteral("&Najít v textu"),
             ZvIcon(QStringLiteral("edit-find"), QStringLiteral("?")), &TMainform::Najtvtextu2Click);
    Nahradittext2 = item(PopupMenu1, "Nahradittext2", QStringLiteral("Nah&radit text"),
                         ZvIcon(QStringLiteral("edit-find-replace"), QStringLiteral("R")),
                         &TMainform::Nahradittext2Click);
    PopupMenu1->addSeparator();
    Vybratve2 = boundItem(PopupMenu1, "Vybratve2", QStringLiteral("Vybrat vš&e"), EditSelectAll1);
    Smazat1 = boundItem(PopupMenu1, "Smazat1", QStringLiteral("Sm&azat"), EditDelete1);
    PopupMenu1->addSeparator();
    Nastaven2 = menuWithHints(PopupMenu1, "Nastaven2", QStringLiteral("Nas&tavení"));
    PopupMenu1->addMenu(Nastaven2);
    Barvapsma2 = item(Nastaven2, "Barvapsma2", QStringLiteral("&Barva písma"),
                      ZvIcon(QStringLiteral("format-text-color"), QStringLiteral("A"), Qt::red),
                      &TMainform::Nastavenbarvypsma1Click);
    bARVAPOZADPSMA2 = item(Nastaven2, "bARVAPOZADPSMA2", QStringLiteral("Barva p&ozadí písma"),
                           ZvIcon(QStringLiteral("format-fill-color"), QStringLiteral("▒")),
                           &TMainform::Nastavenpozadtextu1Click);
    Monosti2 = item(Nastaven2, "Monosti2", QStringLiteral("&Možnosti"),
                    ZvIcon(QStringLiteral("configure"), QStringLiteral("M")), &TMainform::Monosti2Click);

    // The line-spacing items show a check mark that only their commands change.
    auto checkItem = [this](QMenu* menu, const char* name, const QString& caption, const QIcon& icon,
                            Handler handler) {
        auto* action = new QAction(icon, caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, action, handler] {
            undoToggle(action);
            (this->*handler)(action);
        });
        menu->addAction(action);
        return action;
    };
    radkovanipop = menuWithHints(this, "radkovanipop", QString());
    normalni = checkItem(radkovanipop, "normalni", QStringLiteral("&Normální"),
                         ZvIcon(QStringLiteral("format-line-spacing-normal"), QStringLiteral("1")),
                         &TMainform::normalniClick);
    radku15 = checkItem(radkovanipop, "radku15", QStringLiteral("Řádkování: &1.5 řádků"),
                        ZvIcon(QStringLiteral("format-line-spacing-normal"), QStringLiteral("1½")),
                        &TMainform::radku15Click);
    radku2 = checkItem(radkovanipop, "radku2", QStringLiteral("Řádkování: &2 řádky"),
                       ZvIcon(QStringLiteral("format-line-spacing-double"), QStringLiteral("2")),
                       &TMainform::radku2Click);
    radku3 = checkItem(radkovanipop, "radku3", QStringLiteral("Řádkování: &3 řádky"),
                       ZvIcon(QStringLiteral("format-line-spacing-triple"), QStringLiteral("3")),
                       &TMainform::radku3Click);
    Dal1 = item(radkovanipop, "Dal1", QStringLiteral("&Další......"),
                ZvIcon(QStringLiteral("format-indent-more"), QStringLiteral("¶")), &TMainform::Dal1Click);
    normalni->setChecked(true);
}

namespace {

QToolButton* newButton(QToolBar* bar, const char* name, const QString& caption, const QString& hint,
                       const QIcon& icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setShortcut(QKeySequence()); // captions are not shown, so their "&" marks no accelerator
    button->setToolTip(shortHint(hint));
    button->setStatusTip(hint);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

QToolBar* newToolBar(QWidget* owner, const char* name)
{
    auto* bar = new QToolBar(owner);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(16, 16));
    bar->layout()->setContentsMargins(0, 0, 0, 0);
    return bar;
}

} // namespace

void TMainform::createToolBar1()
{
    ToolBar1 = newToolBar(this, "ToolBar1");
    QToolBar* bar = ToolBar1;
    auto own = [this](QToolButton* button, Handler handler) {
        connect(button, &QToolButton::clicked, this, [this, button, handler] { (this->*handler)(button); });
    };
    // A button tied to a menu item runs that item's command.
    auto toMenuItem = [this](QToolButton* button, QAction* menuItem) {
        connect(button, &QToolButton::clicked, menuItem, &QAction::trigger);
    };
    // A button tied to an action runs it and follows its enabled state.
    auto toAction = [this](QToolButton* button, QAction* action) {
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
        button->setEnabled(action->isEnabled());
    };

    novy =
        newButton(bar, "novy", QStringLiteral("Nový"), QStringLiteral("Vytvoří nový soubor"), Nov1->icon());
    own(novy, &TMainform::novyClick);
    otevrit =
        newButton(bar, "otevrit", QStringLiteral("Otevřít"), QStringLiteral("Načte soubor"), Otevt1->icon());
    own(otevrit, &TMainform::otevritClick);
    ulozit = newButton(bar, "ulozit", QStringLiteral("Uložit"), QStringLiteral("Uloží text do souboru"),
                       uloit1->icon());
    own(ulozit, &TMainform::ulozitClick);
    bar->addSeparator();
    tisk = newButton(bar, "tisk", QStringLiteral("tisk"), QStringLiteral("Vytiskne text"), isk1->icon());
    own(tisk, &TMainform::tiskClick);
    ToolButton21 = newButton(bar, "ToolButton21", QStringLiteral("Vzhled stránky"),
                             QStringLiteral("vzhled stránky"), vzhledstrnky1->icon());
    toMenuItem(ToolButton21, vzhledstrnky1);
    bar->addSeparator();
    ToolButton4 = newButton(bar, "ToolButton4", QStringLiteral("Najít v textu"),
                            QStringLiteral("Najít v textu"), Najtvtextu1->icon());
    toMenuItem(ToolButton4, Najtvtextu1);
    ToolButton15 = newButton(bar, "ToolButton15", QStringLiteral("Nahradit text"),
                             QStringLiteral("Nahradí vybraný text"), Nahradittext1->icon());
    toMenuItem(ToolButton15, Nahradittext1);
    bar->addSeparator();
    kopirovat = newButton(bar, "kopirovat", EditCopy1->text(),
                          QStringLiteral("Zkopíruje označený text do schránky"), EditCopy1->icon());
    toAction(kopirovat, EditCopy1);
    vyjmout = newButton(bar, "vyjmout", EditCut1->text(), QStringLiteral("Vyjme označený text do schránky"),
                        EditCut1->icon());
    toAction(vyjmout, EditCut1);
    vlozit = newButton(bar, "vlozit", EditPaste1->text(), QStringLiteral("Vloží obsah schránky"),
                       EditPaste1->icon());
    toAction(vlozit, EditPaste1);
    odstranit = newButton(bar, "odstranit", EditDelete1->text(), QStringLiteral("Smaže vybraný text"),
                          EditDelete1->icon());
    toAction(odstranit, EditDelete1);
    bar->addSeparator();
    undo = newButton(bar, "undo", QStringLiteral("&Undo"), QStringLiteral("Vrátí zpět poslední akci"),
                     zpt1->icon());
    own(undo, &TMainform::undoClick);
    redo = newButton(bar, "redo", QStringLiteral("redo"), QStringLiteral("Vrátí poslední vrácenou akci "),
                     Vped2->icon());
    own(redo, &TMainform::redoClick);
    bar->addSeparator();
    // Tied to "Bitmapu" and naming the same command as its own handler: one
    // click runs the command once.
    ToolButton24 = newButton(bar, "ToolButton24", QStringLiteral("Bitmapu"), QStringLiteral("Vloží bitmapu"),
                             Obrzek1->icon());
    own(ToolButton24, &TMainform::ToolButton24Click);
    ToolButton25 = newButton(bar, "ToolButton25", QStringLiteral("Datum a čas"),
                             QStringLiteral("Vloží aktuální datum a čas"), Datum1->icon());
    toMenuItem(ToolButton25, Datum1);
    bar->addSeparator();
    ToolButton7 = newButton(bar, "ToolButton7", QStringLiteral("Možnosti..."),
                            QStringLiteral("Zobrazí možnosti programu"), Monosti1->icon());
    toMenuItem(ToolButton7, Monosti1);
    ToolButton29 = newButton(bar, "ToolButton29", QStringLiteral("O programu"), QStringLiteral("O programu"),
                             Oprogramu1->icon());
    toMenuItem(ToolButton29, Oprogramu1);
    ToolButton30 = newButton(bar, "ToolButton30", QStringLiteral("O autorovi"), QStringLiteral("O autorovi"),
                             Oautorovi1->icon());
    toMenuItem(ToolButton30, Oautorovi1);
}

void TMainform::createToolBar2()
{
    ToolBar2 = newToolBar(this, "ToolBar2");
    QToolBar* bar = ToolBar2;
    auto own = [this](QToolButton* button, Handler handler) {
        connect(button, &QToolButton::clicked, this, [this, button, handler] { (this->*handler)(button); });
    };
    // The style, script, alignment and list buttons show a pressed state that only
    // their commands change: the click's own toggle is taken back before the
    // command runs.
    auto ownPressable = [this](QToolButton* button, Handler handler) {
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, button, handler] {
            undoToggle(button);
            (this->*handler)(button);
        });
    };

    ToolButton5 = newButton(bar, "ToolButton5", QStringLiteral("Písmo..."), QStringLiteral("Nastavení písma"),
                            Psmo1->icon());
    connect(ToolButton5, &QToolButton::clicked, Psmo1, &QAction::trigger);

    fontybox = new TZvFontComboBox(bar);
    fontybox->setObjectName(QStringLiteral("fontybox"));
    fontybox->setFixedSize(130, 22);
    fontybox->setDroppedDownWidth(130);
    fontybox->setMaxMRUCount(0);
    fontybox->setSorted(false);
    fontybox->setToolTip(QStringLiteral("Nastaví typ písma"));
    fontybox->setStatusTip(QStringLiteral("Nastaví typ písma"));
    // The box shows the face new text is drawn in: "MS Sans Serif" selects the family the
    // font system substitutes for it. (Selecting a fixed entry of the list afterwards would
    // show a face that no text has.)
    fontybox->setFontName(QStringLiteral("MS Sans Serif"));
    fontybox->OnChange = [this](TZvFontComboBox* sender) { FontBox1Change(sender); };
    bar->addWidget(fontybox);

    velikostpisma = new TIntSpinEdit(desktop(), bar);
    velikostpisma->setObjectName(QStringLiteral("velikostpisma"));
    velikostpisma->setFixedWidth(48);
    velikostpisma->setMinValue(4);
    velikostpisma->setMaxValue(104);
    velikostpisma->setValue(8);
    velikostpisma->setEditorEnabled(false); // only the arrows and the Up and Down keys change it
    velikostpisma->setToolTip(QStringLiteral("Nastaví velikost písma"));
    velikostpisma->setStatusTip(QStringLiteral("Nastaví velikost písma"));
    velikostpisma->OnChange = [this](QObject* sender) { velikostpismaChange(sender); };
    bar->addWidget(velikostpisma);
    bar->addSeparator();

    tucne = newButton(bar, "tucne", QStringLiteral("tucne"), QStringLiteral("Nastaví tučné písmo"),
                      ZvIcon(QStringLiteral("format-text-bold"), QStringLiteral("B")));
    ownPressable(tucne, &TMainform::ToolButton35Click);
    kurziva = newButton(bar, "kurziva", QStringLiteral("kurziva"), QStringLiteral("Nastaví kurzívu písma"),
                        ZvIcon(QStringLiteral("format-text-italic"), QStringLiteral("I")));
    ownPressable(kurziva, &TMainform::ToolButton36Click);
    podtrzene =
        newButton(bar, "podtrzene", QStringLiteral("podtrzene"), QStringLiteral("Nastaví podržení písma"),
                  ZvIcon(QStringLiteral("format-text-underline"), QStringLiteral("U")));
    ownPressable(podtrzene, &TMainform::ToolButton37Click);
    preskrknute = newButton(bar, "preskrknute", QStringLiteral("preskrknute"),
                            QStringLiteral("Nastaví přeškrknutí písma"),
                            ZvIcon(QStringLiteral("format-text-strikethrough"), QStringLiteral("S")));
    ownPressable(preskrknute, &TMainform::ToolButton38Click);
    bar->addSeparator();
    dindex = newButton(bar, "dindex", QStringLiteral("dindex"), QStringLiteral("Nastaví dolní index písma"),
                       ZvIcon(QStringLiteral("format-text-subscript"), QStringLiteral("x₂")));
    ownPressable(dindex, &TMainform::dindexClick);
    hindex = newButton(bar, "hindex", QStringLiteral("hindex"), QStringLiteral("Nastaví horní index písma"),
                       ZvIcon(QStringLiteral("format-text-superscript"), QStringLiteral("x²")));
    ownPressable(hindex, &TMainform::hindexClick);
    bar->addSeparator();
    lzarovnani =
        newButton(bar, "lzarovnani", QStringLiteral("lzarovnani"), QStringLiteral("Zarovná text vlevo"),
                  ZvIcon(QStringLiteral("format-justify-left"), QStringLiteral("≡")));
    ownPressable(lzarovnani, &TMainform::lzarovnaniClick);
    szarovnani =
        newButton(bar, "szarovnani", QStringLiteral("szarovnani"), QStringLiteral("Zarovná text na střed"),
                  ZvIcon(QStringLiteral("format-justify-center"), QStringLiteral("≡")));
    ownPressable(szarovnani, &TMainform::szarovnaniClick);
    pzarovnani =
        newButton(bar, "pzarovnani", QStringLiteral("pzarovnani"), QStringLiteral("Zarovná text vpravo"),
                  ZvIcon(QStringLiteral("format-justify-right"), QStringLiteral("≡")));
    ownPressable(pzarovnani, &TMainform::pzarovnaniClick);
    czarovnani =
        newButton(bar, "czarovnani", QStringLiteral("czarovnani"), QStringLiteral("Zarovná text do bloku"),
                  ZvIcon(QStringLiteral("format-justify-fill"), QStringLiteral("≣")));
    ownPressable(czarovnani, &TMainform::czarovnaniClick);
    lzarovnani->setChecked(true);
    bar->addSeparator();
    cisodraz = newButton(bar, "cisodraz", QStringLiteral("cisodraz"), QStringLiteral("vloží odrážky"),
                         ZvIcon(QStringLiteral("format-list-ordered"), QStringLiteral("1.")));
    ownPressable(cisodraz, &TMainform::cisodrazClick);
    tecodraz = newButton(bar, "tecodraz", QStringLiteral("tecodraz"), QStringLiteral("vloží odrážky"),
                         ZvIcon(QStringLiteral("format-list-unordered"), QStringLiteral("•")));
    ownPressable(tecodraz, &TMainform::tecodrazClick);
    ToolButton43 = newButton(bar, "ToolButton43", QStringLiteral("ToolButton43"),
                             QStringLiteral("Zmenší odsazení textu"),
                             ZvIcon(QStringLiteral("format-indent-less"), QStringLiteral("⇤")));
    own(ToolButton43, &TMainform::ToolButton43Click);
    ToolButton44 = newButton(bar, "ToolButton44", QStringLiteral("ToolButton44"),
                             QStringLiteral("Zvětší odsazení textu"),
                             ZvIcon(QStringLiteral("format-indent-more"), QStringLiteral("⇥")));
    own(ToolButton44, &TMainform::ToolButton44Click);
    bar->addSeparator();
    // Only the arrow opens the line-spacing menu; the button itself carries no command.
    radkovani = newButton(bar, "radkovani", QStringLiteral("radkovani"),
                          QStringLiteral("Nastaví formátování odtavců"),
                          ZvIcon(QStringLiteral("format-line-spacing-normal"), QStringLiteral("↕")));
    radkovani->setMenu(radkovanipop);
    radkovani->setPopupMode(QToolButton::MenuButtonPopup);
    bar->addSeparator();

    // The two colour buttons: text colour (black at start) and the colour behind the text (white).
    auto colorButton = [this, bar](const char* name, const QString& hint, const QPixmap& glyph,
                                   TColor color) {
        auto* button = new TZvColorButton(desktop(), bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(36, 22);
        button->setToolTip(shortHint(hint));
        button->setStatusTip(hint);
        button->setGlyph(glyph);
        button->Properties().setAutoCaption(QStringLiteral("Automatická"));
        button->Properties().setOtherCaption(QStringLiteral("Ostatní Barvy..."));
        button->Properties().setDragBarHint(QStringLiteral("Drag to floating"));
        button->setSelectedColor(color);
        bar->addWidget(button);
        return button;
    };
    barvatextu = colorButton("barvatextu", QStringLiteral("Nastaví barvu textu"), TextColorGlyph(), clBlack);
    barvatextu->OnColorChange = [this](QObject* sender) { barvatextuColorChange(sender); };
    bpozaditextu = colorButton("bpozaditextu", QStringLiteral("Nastaví barvu pozadí textu"),
                               HighlightColorGlyph(), clWhite);
    bpozaditextu->OnColorChange = [this](QObject* sender) { bpozaditextuColorChange(sender); };
}

void TMainform::createStatusBar()
{
    StatusBar1 = new TStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    StatusBar1->addPanel(250, Qt::AlignLeft);
    StatusBar1->addPanel(60, Qt::AlignHCenter);
    StatusBar1->addPanel(110, Qt::AlignLeft);
    StatusBar1->addPanel(120, Qt::AlignLeft);
    StatusBar1->addPanel(80, Qt::AlignLeft);
    StatusBar1->addPanel(50, Qt::AlignRight);
    setStatusBar(StatusBar1);
}

void TMainform::connectEditor()
{
    createEditingKeys();
    editor->OnEnter = [this](TZvCustomRichEdit* sender) { editorEnter(sender); };
    editor->OnKeyDown = [this](TZvCustomRichEdit* sender, int& key, Qt::KeyboardModifiers shift) {
        editorKeyDown(sender, key, shift);
    };
    editor->OnKeyPress = [this](TZvCustomRichEdit* sender, QChar& key) { editorKeyPress(sender, key); };
    editor->OnMouseDown = [this](TZvCustomRichEdit* sender, Qt::MouseButton button,
                                 Qt::KeyboardModifiers shift, int x,
                                 int y) { editorMouseDown(sender, button, shift, x, y); };
    editor->OnChange = [this](TZvCustomRichEdit*) { queueStatusRefresh(); };
    editor->OnSelectionChange = [this](TZvCustomRichEdit* sender) {
        UpdateEditActions();
        editorSelectionChange(sender);
        queueStatusRefresh();
    };
    editor->OnURLClick = [this](TZvCustomRichEdit* sender, const QString& url, TMouseButton button) {
        editorURLClick(sender, url, button);
    };
    // A long document is counted first as far as it is laid out, and again
    // when the layout has measured it all.
    connect(editor, &TZvCustomRichEdit::LineSumsInvalidated, this, &TMainform::ShowWordCount,
            Qt::QueuedConnection);
}
