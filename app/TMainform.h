#pragma once

// The main window: the editor with its ruler, the cool bar with the two tool
// bars, the main menu, the editor's pop-up menu, the edit actions and the
// status bar. Every command of a menu item, pop-up item or tool button is a
// handler method named after its control and event; the components keep the
// names other parts of the program know them by.
//
// Dialogs and message boxes go through the Desktop given at construction, so
// tests can answer them. Construction runs FormCreate, which opens a document
// named by exactly one command-line parameter.

#include "app/EditControl.h"
#include "platform/Desktop.h"
#include "platform/SysColor.h"
#include "richedit/TZvRichEdit.h"
#include "ruler/TZvRuler.h"
#include "widgets/TZvColorButton.h"
#include "widgets/TZvFlatMenu.h"
#include "widgets/TZvFontComboBox.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <exception>

class QAction;
class QCheckBox;
class QLocale;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class SpellChecker;
class SpellingMenu;
class TIntSpinEdit;
class TStatusBar;
class TTimer;
class Tnastaveni;
class Todstavceform;

// What closing does with the window (TCloseAction).
enum class TCloseAction { caNone, caHide, caFree };

// The system's long time format as a QLocale format, without the time zone,
// which the long time format of Windows does not show.
QString LongTimeFormat(const QLocale& locale);

// The folder of the executable, ending with "/"; tests may point it elsewhere.
QString ProgramFolderPath();
void SetProgramFolderForTesting(const QString& folder); // empty: the real folder again
// The folders a main window made afterwards finds its spelling dictionaries
// in; empty: the system's again.
void SetDictionaryFoldersForTesting(const QStringList& folders);

class TMainform : public QMainWindow
{
    Q_OBJECT
public:
    // `parameters` are the command-line arguments after the program name.
    TMainform(Desktop& desktop, const QStringList& parameters, QWidget* parent = nullptr);
    ~TMainform() override;

    Desktop& desktop() const { return m_desktop; }

    // State of the window.
    QString CurrentFileName; // full path of the document; empty for a new one
    QString ProgramFolder;   // folder of the executable, ending with "/"
    QString ClipartFolder;   // ProgramFolder + "clipart/"
    QString ApplicationHint; // the hint of the control under the mouse or the highlighted menu item
    // The window's background colour, as the settings file gives it.
    TColor Color = clBtnFace;

    // Components.
    QWidget* CoolBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    TZvRuler* ruler = nullptr;
    TZvRichEdit* editor = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    QCheckBox* htmlsyntax = nullptr;
    // Checks the editor's spelling while SpellCheckingOn; the personal word
    // list is config/slovnik.txt in the program folder.
    SpellChecker* Spelling = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* radkovanipop = nullptr;
    // The flat menu renderer of the menus and controls.
    TZvFlatMenu* FlatMenu1 = nullptr;
    // The dialogs: their options persist between uses, as the dialog components do.
    FileDialogOptions OpenDialog1;
    FileDialogOptions SaveDialog1;
    FileDialogOptions OpenPictureDialog1;
    // The page setup dialog's paper and margins; the print dialog keeps its
    // choice in the application's printer (Printer()).
    PageSetupOptions PageSetupDialog1;

    // ActionList1.
    QAction* EditCut1 = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;
    QAction* EditSelectAll1 = nullptr;
    QAction* EditUndo1 = nullptr;
    QAction* EditDelete1 = nullptr;

    // ToolBar1.
    QToolButton *novy = nullptr, *otevrit = nullptr, *ulozit = nullptr, *tisk = nullptr,
                *ToolButton21 = nullptr, *ToolButton4 = nullptr, *ToolButton15 = nullptr,
                *kopirovat = nullptr, *vyjmout = nullptr, *vlozit = nullptr, *odstranit = nullptr,
                *undo = nullptr, *redo = nullptr, *ToolButton24 = nullptr, *ToolButton25 = nullptr,
                *ToolButton7 = nullptr, *ToolButton29 = nullptr, *ToolButton30 = nullptr;
    // ToolBar2.
    QToolButton* ToolButton5 = nullptr;
    TZvFontComboBox* fontybox = nullptr;
    TIntSpinEdit* velikostpisma = nullptr;
    QToolButton *tucne = nullptr, *kurziva = nullptr, *podtrzene = nullptr, *preskrknute = nullptr,
                *dindex = nullptr, *hindex = nullptr, *lzarovnani = nullptr, *szarovnani = nullptr,
                *pzarovnani = nullptr, *czarovnani = nullptr, *cisodraz = nullptr, *tecodraz = nullptr,
                *ToolButton43 = nullptr, *ToolButton44 = nullptr, *radkovani = nullptr;
    TZvColorButton *barvatextu = nullptr, *bpozaditextu = nullptr;
    // The colour dialog shared by the four colour commands and the font dialog:
    // each opens with what was last chosen in it.
    ColorDialogOptions ColorDialog1;
    // The paragraph dialog while it is open.
    Todstavceform* odstavceform = nullptr;
    // The settings dialog while it is open.
    Tnastaveni* nastaveni = nullptr;
    FontDialogOptions FontDialog1;

    // MainMenu1.
    QMenu *Soubor1 = nullptr, *U1 = nullptr, *Vloit2 = nullptr, *Najt1 = nullptr, *Nastaven1 = nullptr,
          *Help1 = nullptr;
    QAction *Nov1 = nullptr, *Otevt1 = nullptr, *uloit1 = nullptr, *Uloitjako1 = nullptr,
            *vzhledstrnky1 = nullptr, *isk1 = nullptr, *Konec1 = nullptr, *zpt1 = nullptr, *Vped2 = nullptr,
            *Koprovat1 = nullptr, *Vyjmout1 = nullptr, *Vloit1 = nullptr, *Vybratve1 = nullptr,
            *Vloitjakoprostytext1 = nullptr, *vymazat1 = nullptr, *Datum1 = nullptr, *Obrzek1 = nullptr,
            *Dal2 = nullptr, *Najtvtextu1 = nullptr, *Nahradittext1 = nullptr, *Psmo1 = nullptr,
            *Barvapsma1 = nullptr, *Barvapozadpsma1 = nullptr, *Monosti1 = nullptr, *Oprogramu1 = nullptr,
            *Oautorovi1 = nullptr;
    // PopupMenu1.
    QMenu *Vloitdal1 = nullptr, *Nastaven2 = nullptr;
    QAction *Koprovat2 = nullptr, *Vyjmout2 = nullptr, *Vloit3 = nullptr, *Vloitjakoprostytext2 = nullptr,
            *Obrzek2 = nullptr, *Datumaas1 = nullptr, *Dal3 = nullptr, *Psmo2 = nullptr, *Odstavec1 = nullptr,
            *Najtvtextu2 = nullptr, *Nahradittext2 = nullptr, *Vybratve2 = nullptr, *Smazat1 = nullptr,
            *Barvapsma2 = nullptr, *bARVAPOZADPSMA2 = nullptr, *Monosti2 = nullptr;
    // radkovanipop.
    QAction *normalni = nullptr, *radku15 = nullptr, *radku2 = nullptr, *radku3 = nullptr, *Dal1 = nullptr;

    // Start-up, layout, hints, closing and errors.
    void FormCreate(QObject* Sender);
    void FormResize(QObject* Sender);
    void SetTextRect();
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void FormClose(QObject* Sender, TCloseAction& Action);
    void Konec1Click(QObject* Sender);
    void DisplayHint(QObject* Sender);
    void LogException(QObject* Sender, const std::exception& E);

    // Plug-in libraries, loaded from ProgramFolder + "bin/" at every call.
    void RunShortcutPlugin(unsigned char location); // 0 desktop, 3 applications menu
    void RunAuthorPlugin();
    void RunInfoPlugin();
    void RunHtmlPlugin(TZvRichEdit* target);
    void Oprogramu1Click(QObject* Sender);
    void Oautorovi1Click(QObject* Sender);

    // Saving: SaveDocument writes the editor into FileName (the extension or
    // PlainText decides rich or plain text) and clears IsModified; it raises
    // the file's error. SaveDocumentAs asks for a name first and renames the
    // window; false when the dialog was cancelled.
    bool SaveDocument(const QString& FileName);
    bool SaveDocumentAs(QString& FileName);
    // Save As "Neformátovaný text": the file as plain text, then the editor
    // in plain-text mode.
    bool saveAsPlainText(const QString& FileName);

    // Settings file.
    void LoadSettings();
    void StoreSettings();

    // Spell checking as the user types: on underlines the words the Czech
    // dictionary (or the dictionary of the text's language) does not know.
    // Turning it on without a Czech dictionary fails and leaves it off.
    bool SpellCheckingOn() const;
    bool setSpellChecking(bool on);

private:
    // The checker, its items in the editor's pop-up menu and its word list.
    void createSpelling();
    // Recomputes ProgramFolder and gives the settings file's path in it.
    QString settingsFileName();
    // Paints the window's background in Color.
    void applyColor();

public:
    // Status bar refreshers and timers.
    void ShowCaretPosition();
    void ShowCharCount();
    void ShowWordCount();
    void ShowModifiedFlag();
    // Panels 1 to 3 are refreshed once the events waiting now are handled,
    // however many edits and caret moves ask for it meanwhile.
    void queueStatusRefresh();
    void Timer1Timer(QObject* Sender);
    void Timer2Timer(QObject* Sender);

    // Document commands.
    void novyClick(QObject* Sender);
    void Nov1Click(QObject* Sender);
    void otevritClick(QObject* Sender);
    void Otevt1Click(QObject* Sender);
    void ulozitClick(QObject* Sender);
    void uloit1Click(QObject* Sender);
    void Uloitjako1Click(QObject* Sender);
    // The "Uložit změny?" question: IDYES, IDNO or IDCANCEL.
    int askSaveChanges();
    // The save of that question's Yes: to the document's file, or through the
    // save dialog for a new document; false when that dialog was cancelled.
    bool saveChanges();
    // Printing.
    void tiskClick(QObject* Sender);
    void isk1Click(QObject* Sender);
    void vzhledstrnky1Click(QObject* Sender);
    // Character formatting.
    void Psmo1Click(QObject* Sender);
    void Nastavenpsma1Click(QObject* Sender);
    void Barvapsma1Click(QObject* Sender);
    void Barvapozadpsma1Click(QObject* Sender);
    void Nastavenbarvypsma1Click(QObject* Sender);
    void Nastavenpozadtextu1Click(QObject* Sender);
    void FontBox1Change(QObject* Sender);
    void velikostpismaChange(QObject* Sender);
    void ToolButton35Click(QObject* Sender);
    void ToolButton36Click(QObject* Sender);
    void ToolButton37Click(QObject* Sender);
    void ToolButton38Click(QObject* Sender);
    void dindexClick(QObject* Sender);
    void hindexClick(QObject* Sender);
    void barvatextuColorChange(QObject* Sender);
    void bpozaditextuColorChange(QObject* Sender);
    void UpdateFormatControls();
    // Paragraph formatting.
    void lzarovnaniClick(QObject* Sender);
    void szarovnaniClick(QObject* Sender);
    void pzarovnaniClick(QObject* Sender);
    void czarovnaniClick(QObject* Sender);
    void cisodrazClick(QObject* Sender);
    void tecodrazClick(QObject* Sender);
    void ToolButton43Click(QObject* Sender);
    void ToolButton44Click(QObject* Sender);
    void normalniClick(QObject* Sender);
    void radku15Click(QObject* Sender);
    void radku2Click(QObject* Sender);
    void radku3Click(QObject* Sender);
    void Dal1Click(QObject* Sender);
    void Odstavec1Click(QObject* Sender);
    void rulerIndentChange(QObject* Sender, TIndentID IndentID);
    void editorSelectionChange(QObject* Sender);
    // Insert, search and clipboard.
    void Najtvtextu1Click(QObject* Sender);
    void Najtvtextu2Click(QObject* Sender);
    void Nahradittext1Click(QObject* Sender);
    void Nahradittext2Click(QObject* Sender);
    void undoClick(QObject* Sender);
    void redoClick(QObject* Sender);
    void Zpt2Click(QObject* Sender);
    void Vped1Click(QObject* Sender);
    void Vybratve1Click(QObject* Sender);
    void Datum1Click(QObject* Sender);
    void Obrzek1Click(QObject* Sender);
    void ToolButton24Click(QObject* Sender);
    void VloitBitmapu1Click(QObject* Sender);
    void Vloitdatumaas1Click(QObject* Sender);
    void Dal2Click(QObject* Sender);
    void Dal3Click(QObject* Sender);
    // "Vložit jako prostý text": the clipboard's text without its formats.
    void Vloitjakoprostytext1Click(QObject* Sender);
    void editorEnter(QObject* Sender);
    void editorKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void editorKeyPress(QObject* Sender, QChar& Key);
    void editorMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void editorURLClick(QObject* Sender, const QString& URLText, TMouseButton Button);
    // Settings dialog.
    void Monosti1Click(QObject* Sender);
    void Monosti2Click(QObject* Sender);

    // The edit control the edit actions act on: the focused widget when it
    // edits text, otherwise none.
    QWidget* focusedEditControl() const;
    // Sets each edit action's enabled state from the focused edit control.
    void UpdateEditActions();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createComponents();
    void createActions();
    void createMainMenu();
    void createPopupMenus();
    void createToolBar1();
    void createToolBar2();
    void createStatusBar();
    void connectEditor();
    void createEditingKeys();
    void watchMenuHints(QMenu* menu);
    void setApplicationHint(const QString& hint);
    void watchFocusedEditControl(QWidget* widget);
    void runEditAction(EditControl::Command command);
    // Inserts the picture file at the caret through the clipboard, whose
    // content is put back afterwards; false when nothing was inserted.
    bool pastePicture(const QString& fileName);
    void showMessage(const QString& text);
    // Loads `libraryName` from the "bin" folder, looks up `exportName` as a
    // `Procedure` and calls it with `arguments`; shows `libraryMissing` or
    // `procedureMissing` when either is not found.
    template <typename Procedure, typename... Arguments>
    void runPlugin(const QString& libraryName, const char* exportName, const QString& libraryMissing,
                   const QString& procedureMissing, Arguments... arguments);
    // Character formatting: one style bit or script position toggled on the
    // selection, the colour dialog for one colour attribute, the font dialog.
    void toggleStyle(TFontStyle bit, QToolButton* button);
    void toggleScriptPosition(int position, QToolButton* button, QToolButton* opposite);
    enum class ColorAttribute { Text, Highlight };
    void chooseColor(ColorAttribute attribute);
    enum class FontBoxFollows { No, Yes };
    void chooseFont(FontBoxFollows fontBoxFollows);
    // Paragraph formatting: one alignment with its button, one line spacing
    // with its menu item.
    void setAlignment(int alignment, QToolButton* button);
    void checkLineSpacing(QAction* item);
    void openParagraphDialog();
    // When `path` is a folder, a device or a pipe, says so in a message and
    // answers true; false for a file or a path that does not exist.
    bool refuseNonFile(const QString& path);
    void loadChosenDocument();
    void finishOpening();

    Desktop& m_desktop;
    QStringList m_parameters;
    // True while UpdateFormatControls shows the selection's attributes, so the
    // controls' change reports are not taken for the user's changes.
    bool m_showingFormat = false;
    // A refresh of the status bar's counts waits for the current event to end.
    bool m_statusRefreshQueued = false;
    SpellingMenu* m_spellingMenu = nullptr;
    QList<QMetaObject::Connection> m_editControlConnections;
    QList<QMetaObject::Connection> m_applicationConnections; // to the application and its clipboard
};
