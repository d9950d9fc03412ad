#pragma once

// The Windows services that show something to the user or hand something to
// the desktop: message boxes, the common file dialogs, the folder browser, the
// beep and the shell's "open". The program talks to them only through this interface; QtDesktop
// shows real Qt dialogs, ScriptedDesktop answers from a queue in tests.

#include "platform/ColorRef.h"
#include "platform/Font.h"
#include "platform/Printer.h"
#include "platform/TFindDialog.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

// Message box flags (combine one button set, one icon and one default button).
constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_OKCANCEL = 0x00000001;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x00000002;
constexpr unsigned MB_YESNOCANCEL = 0x00000003;
constexpr unsigned MB_YESNO = 0x00000004;
constexpr unsigned MB_RETRYCANCEL = 0x00000005;
constexpr unsigned MB_TYPEMASK = 0x0000000F;
constexpr unsigned MB_ICONHAND = 0x00000010;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x00000020;
constexpr unsigned MB_ICONEXCLAMATION = 0x00000030;
constexpr unsigned MB_ICONASTERISK = 0x00000040;
constexpr unsigned MB_ICONMASK = 0x000000F0;
constexpr unsigned MB_DEFBUTTON2 = 0x00000100;
constexpr unsigned MB_DEFBUTTON3 = 0x00000200;
constexpr unsigned MB_DEFMASK = 0x00000F00;

// Message box answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// One file type of a file dialog: "Zorvan text(*.zvd)" with "*.zvd".
struct FileDialogFilter
{
    QString description;
    QString patterns; // separated by ";", as "*.rtf;*.doc;*.zvd;"
    friend bool operator==(const FileDialogFilter&, const FileDialogFilter&) = default;
};

// The state of an open or save dialog, read before it is shown and updated
// when the user accepts it (the chosen file name and file type).
struct FileDialogOptions
{
    QString title;                         // empty: the platform's own title
    std::vector<FileDialogFilter> filters; // in the order shown
    int filterIndex = 1;                   // 1-based, as Windows counts; in and out
    QString defaultExtension;              // without the dot; appended when the name has none
    QString initialDir;
    QString fileName;             // in: proposed name; out: the chosen absolute path
    bool overwritePrompt = false; // save: ask before replacing an existing file
    bool fileMustExist = false;   // open: refuse names of missing files
};

// The state of the colour dialog: the colour it starts with and returns, and
// the custom colours the user keeps between uses.
struct ColorDialogOptions
{
    COLORREF color = 0;                 // in: the colour shown first; out: the chosen colour
    std::vector<COLORREF> customColors; // at most 16; in and out
};

// The state of the font dialog: the font it starts with and returns, and what
// it offers.
struct FontDialogOptions
{
    TFont font;                // in: the font shown first; out: the chosen font
    bool printerFonts = false; // list the printer's fonts beside the screen's
    bool applyButton = false;  // show an Apply button (which applies nothing by itself)
};

// The state of the insert-object dialog. The objects this program can embed
// are pictures, made from a picture file; the dialog offers the file types of
// `filters` when the user browses for one.
struct InsertObjectOptions
{
    std::vector<FileDialogFilter> filters; // the picture types, in the order shown
    QString initialDir;
    QString fileName; // out: the chosen absolute path
};

// What the properties dialog of an embedded object shows.
struct ObjectPropertiesOptions
{
    QString caption;  // the window title, "%s Properties" with the type name
    QString typeName; // the object's full type name
    QString size;     // the object's size as the user reads it
    QString location; // the document and the program the object lives in
    QImage picture;   // a picture object's picture, shown small; null for others
};

class Desktop
{
public:
    virtual ~Desktop() = default;

    // Shows a modal message box; returns the ID* of the button pressed
    // (IDCANCEL when a Yes/No/Cancel box is closed by its frame).
    virtual int messageBox(const QString& text, const QString& caption, unsigned flags) = 0;

    // Show the modal open or save dialog. True when the user accepted; then
    // options.fileName and options.filterIndex hold the choice. Cancelled, the
    // options are left as they were.
    virtual bool openFileDialog(FileDialogOptions& options) = 0;
    virtual bool saveFileDialog(FileDialogOptions& options) = 0;
    // The open dialog of pictures, with a preview of the picture the user
    // points at; it answers as openFileDialog does.
    virtual bool openPictureDialog(FileDialogOptions& options) = 0;

    // The modal insert-object dialog. True when the user chose an object;
    // then options.fileName holds its file. Cancelled, the options stay.
    virtual bool insertObjectDialog(InsertObjectOptions& options) = 0;
    // The modal properties dialog of an embedded object; true on OK.
    virtual bool objectPropertiesDialog(const ObjectPropertiesOptions& options) = 0;

    // Shows the modal colour dialog. True when the user accepted; then
    // options.color holds the choice and options.customColors the custom
    // colours as the user left them. Cancelled, the options stay as they were.
    virtual bool chooseColor(ColorDialogOptions& options) = 0;

    // Shows the modal font dialog with the effects strike-out, underline and
    // colour. True when the user accepted; then options.font holds the choice.
    // Cancelled, the options stay as they were.
    virtual bool chooseFont(FontDialogOptions& options) = 0;

    // Shows the modal folder browser with `prompt`, starting in `folder`. True
    // when the user chose a folder; then `folder` holds its path. Cancelled,
    // `folder` stays as it was.
    virtual bool browseForFolder(const QString& prompt, QString& folder) = 0;

    // The names of the installed printers; empty when there is none.
    virtual QStringList printerNames() = 0;

    // The print and page setup dialogs.

    // Shows the modal print dialog for `printer`: the printer, its properties,
    // copies and collation; no page range, selection or printing to a file.
    // True when the user accepted; then the choice is the printer's setting.
    virtual bool printDialog(QPrinter& printer) = 0;

    // Shows the modal page setup dialog with the paper and margins of
    // `options`. True when the user accepted; then `options` holds what was
    // chosen and `printer` takes its paper and orientation, while its margins
    // stay (ApplyPaperAndOrientation). Cancelled, both stay as they were.
    virtual bool pageSetupDialog(QPrinter& printer, PageSetupOptions& options) = 0;

    // The modeless find and replace dialogs.
    // Creates a hidden find or replace dialog owned by `owner`; its Execute shows it.
    virtual TFindDialog* createFindDialog(QObject* owner, FindDialogKind kind) = 0;

    // Sounds a system beep of the given MB_* kind (0 is the default sound).
    virtual void messageBeep(unsigned type) = 0;

    // The shell's "open" verb: hands a URL, e-mail address or file to the
    // program the desktop associates with it. False when nothing took it.
    virtual bool shellExecuteOpen(const QString& target) = 0;
};
