// The settings file of the main window: read once at start, written at every
// attempt to close; and spell checking, which it turns on or off.

#include "app/TMainform.h"

#include "app/SpellingMenu.h"
#include "app/TStatusBar.h"
#include "platform/TIniFile.h"
#include "platform/TTimer.h"
#include "spelling/SpellChecker.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace {

// The file's sections.
const QString general = QStringLiteral("nastaveni");
const QString windowSize = QStringLiteral("velikost");
const QString display = QStringLiteral("nastaveni zobrazeni");
const QString editing = QStringLiteral("nastaveni upravy");
const QString desktopPlace = QStringLiteral("nastaveni na plose");

QStringList dictionaryFoldersOverride;

// One dimension of a window placed within an area.
struct Span
{
    int start;
    int length;
};

// `length` no longer than the area's but not below `minimum`, then `start`
// moved as little as puts the span inside the area (at its start when the
// minimum is longer than the area).
Span within(int start, int length, int areaStart, int areaLength, int minimum)
{
    const int limited = qMax(minimum, qMin(length, areaLength));
    return {qMax(areaStart, qMin(start, areaStart + areaLength - limited)), limited};
}

// The window's frame corner `position` and its inside `size`, as the settings
// file holds them, kept on the available area of the screen that position
// falls on, or of the primary screen when it falls on none. A value edited in
// the file would otherwise ask for a window of two billion pixels a side,
// which the window system tries to allocate, or one nobody can reach; a
// window that fits keeps its place and size.
QRect withinScreen(QPoint position, QSize size, QSize minimum)
{
    const QScreen* screen = QGuiApplication::screenAt(position);
    const QRect area = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    const Span across = within(position.x(), size.width(), area.x(), area.width(), minimum.width());
    const Span down = within(position.y(), size.height(), area.y(), area.height(), minimum.height());
    return QRect(across.start, down.start, across.length, down.length);
}

} // namespace

void SetDictionaryFoldersForTesting(const QStringList& folders)
{
    dictionaryFoldersOverride = folders;
}

QString TMainform::settingsFileName()
{
    ProgramFolder = ProgramFolderPath();
    return ProgramFolder + QStringLiteral("config/nastaveni.ini");
}

void TMainform::applyColor()
{
    const QColor color = SysColor(Color);
    if (!color.isValid())
        return;
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, color);
    setPalette(windowPalette);
}

// The size is the client area's and the place the frame's, so what is stored
// at closing comes back unchanged at the next start (the outer size would grow
// by the frame each session).
void TMainform::LoadSettings()
{
    const TIniFile settings(settingsFileName());
    Timer2->setInterval(settings.ReadInteger(general, QStringLiteral("autosaveInterval"), 60000));
    Timer2->setEnabled(settings.ReadBool(general, QStringLiteral("autosavetimer"), false));
    SaveDialog1.initialDir = settings.ReadString(general, QStringLiteral("mistosave"), ProgramFolder);
    StatusBar1->setVisible(settings.ReadBool(display, QStringLiteral("stavradek"), true));
    ruler->setVisible(settings.ReadBool(display, QStringLiteral("pravitko"), true));
    Color = TColor(settings.ReadInteger(display, QStringLiteral("barva programu"), int(clBtnFace)));
    applyColor();
    htmlsyntax->setChecked(settings.ReadBool(display, QStringLiteral("html syntaxe"), false));
    editor->setWordWrap(settings.ReadBool(editing, QStringLiteral("zalomeni radku"), true));
    editor->setUndoLimit(settings.ReadInteger(editing, QStringLiteral("kolikrat zpet"), 100));
    setSpellChecking(
        settings.ReadBool(editing, QStringLiteral("kontrola pravopisu"), Spelling->hasCzechDictionary()));
    const QRect window =
        withinScreen(QPoint(settings.ReadInteger(desktopPlace, QStringLiteral("bod2"), 100),
                            settings.ReadInteger(desktopPlace, QStringLiteral("bod1"), 100)),
                     QSize(settings.ReadInteger(windowSize, QStringLiteral("sirkaformu"), 969),
                           settings.ReadInteger(windowSize, QStringLiteral("vyskaformu"), 623)),
                     minimumSize().expandedTo(minimumSizeHint()));
    resize(window.size());
    move(window.topLeft());
}

void TMainform::StoreSettings()
{
    TIniFile settings(settingsFileName());
    try {
        settings.WriteInteger(general, QStringLiteral("autosaveInterval"), Timer2->Interval());
        settings.WriteInteger(windowSize, QStringLiteral("vyskaformu"), height());
        settings.WriteInteger(windowSize, QStringLiteral("sirkaformu"), width());
        settings.WriteString(general, QStringLiteral("mistosave"), SaveDialog1.initialDir);
        settings.WriteBool(general, QStringLiteral("autosavetimer"), Timer2->Enabled());
        settings.WriteBool(display, QStringLiteral("stavradek"), !StatusBar1->isHidden());
        settings.WriteBool(display, QStringLiteral("pravitko"), !ruler->isHidden());
        settings.WriteInteger(display, QStringLiteral("barva programu"), int(Color));
        settings.WriteBool(display, QStringLiteral("html syntaxe"), htmlsyntax->isChecked());
        settings.WriteBool(editing, QStringLiteral("zalomeni radku"), editor->WordWrap());
        settings.WriteInteger(editing, QStringLiteral("kolikrat zpet"), editor->UndoLimit());
        settings.WriteBool(editing, QStringLiteral("kontrola pravopisu"), SpellCheckingOn());
        settings.WriteInteger(desktopPlace, QStringLiteral("bod1"), y());
        settings.WriteInteger(desktopPlace, QStringLiteral("bod2"), x());
        settings.UpdateFile();
    } catch (const std::exception&) {
        // The close that stores the settings goes on without them.
        showMessage(QStringLiteral("Nelze uložit konfiguraci"));
    }
}

void TMainform::createSpelling()
{
    Spelling = dictionaryFoldersOverride.isEmpty() ? new SpellChecker(this)
                                                   : new SpellChecker(dictionaryFoldersOverride, this);
    Spelling->setPersonalWordList(ProgramFolder + QStringLiteral("config/slovnik.txt"));
    m_spellingMenu = new SpellingMenu(
        *editor, *PopupMenu1, [this](const QString& text) { showMessage(text); }, this);
    editor->OnContextPopup = [this](TZvCustomRichEdit*, int position) {
        m_spellingMenu->prepareFor(position);
    };
}

bool TMainform::SpellCheckingOn() const
{
    return editor->spellChecker() != nullptr;
}

bool TMainform::setSpellChecking(bool on)
{
    if (on && !Spelling->hasCzechDictionary()) {
        editor->setSpellChecker(nullptr);
        return false;
    }
    editor->setSpellChecker(on ? Spelling : nullptr);
    return true;
}
