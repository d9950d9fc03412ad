#include "app/TMainform.h"

#include "app/TStatusBar.h"
#include "platform/Library.h"
#include "platform/OsVersion.h"
#include "platform/RichEditControl.h"
#include "platform/ZvApplication.h"
#include "platform/ZvExceptions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStatusTipEvent>
#include <QStringDecoder>
#include <QTextEdit>
#include <QTimer>

namespace {

QString programFolderOverride;

// The caption of the message boxes that name no caption of their own: the
// application's title.
const QString applicationTitle = QStringLiteral("Zorvan");

// The long part of a hint: the text after the first "|", or the whole hint.
QString longHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

// The system's long time format without the time zone, which Windows' long
// time format does not show.
QString longTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return format.trimmed();
}

TZvCustomRichEdit* richEditOf(QWidget* widget)
{
    for (QWidget* parent = widget; parent; parent = parent->parentWidget()) {
        if (auto* rich = qobject_cast<TZvCustomRichEdit*>(parent))
            return rich;
    }
    return nullptr;
}

} // namespace

QString ProgramFolderPath()
{
    if (!programFolderOverride.isEmpty())
        return programFolderOverride;
    return QCoreApplication::applicationDirPath() + u'/';
}

void SetProgramFolderForTesting(const QString& folder)
{
    programFolderOverride = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

TMainform::TMainform(Desktop& desktop, const QStringList& parameters, QWidget* parent)
    : QMainWindow(parent), m_desktop(desktop), m_parameters(parameters)
{
    ProgramFolder = ProgramFolderPath();
    createComponents();
    editor->setFocus();
    try {
        FormCreate(this);
    } catch (const std::exception& exception) {
        LogException(this, exception);
    }
}

TMainform::~TMainform()
{
    // The widgets destroyed after this body still move the focus; the window
    // must no longer hear of it.
    for (const QMetaObject::Connection& connection : std::as_const(m_applicationConnections))
        disconnect(connection);
    for (const QMetaObject::Connection& connection : std::as_const(m_editControlConnections))
        disconnect(connection);
    ZvApplication::clearExceptionHandler();
}

// ---------------------------------------------------------------------------
// Start-up, layout and hints

void TMainform::FormCreate(QObject*)
{
    // 1. Hints reach DisplayHint through event() and the menus' hover signals;
    //    exceptions that escape a handler reach LogException through the application.
    ZvApplication::setExceptionHandler(
        [this](QObject* sender, const std::exception& exception) { LogException(sender, exception); });

    // 2. Exactly one parameter names the document to open.
    if (m_parameters.size() == 1) {
        CurrentFileName = m_parameters.constFirst();
        try {
            editor->Lines().LoadFromFile(CurrentFileName);
            setWindowTitle(windowTitle() + u'-' + CurrentFileName);
            editor->update();
            editor->setIsModified(false);
        } catch (const std::exception& exception) {
            // The window opens all the same, without a name, so that neither a
            // save nor the autosave writes the empty document over the unread file.
            CurrentFileName.clear();
            LogException(this, exception);
        }
    }

    // 3. Windows with minor version 10 draws its menus itself.
    FlatMenu1->setProperty("Active", GetVersionEx().dwMinorVersion != 10);
    editor->setIsModified(false);

    // 4.
    LoadSettings();

    // 5.
    ClipartFolder = ProgramFolder + QStringLiteral("clipart/");
    OpenPictureDialog1.initialDir = ClipartFolder;

    // 6. Default indents of the paragraph at the caret, in twips: right 60 pt,
    //    first line at the ruler's left margin less 18 pt.
    PARAFORMAT2 paragraph;
    paragraph.dwMask = PFM_RIGHTINDENT | PFM_STARTINDENT;
    paragraph.dxRightIndent = 60 * 20;
    paragraph.dxStartIndent = (RulerMarginLeft - 18) * 20;
    editor->control()->SetParaFormat(paragraph);

    // 7. and 8.
    editorSelectionChange(this);
    ShowCaretPosition();
    ShowCharCount();
    ShowWordCount();

    // 9. Qt paints every widget through an off-screen buffer already.

    // 10.
    editor->setIsModified(false);
    UpdateEditActions();
}

void TMainform::FormResize(QObject*)
{
    SetTextRect();
    editorSelectionChange(this);
}

void TMainform::SetTextRect()
{
    // The text runs from 6 pixels to 6 pixels short of the ruler's right end,
    // whatever the window's width.
    const QRect rect(QPoint(6, 0), QPoint(ruler->width() - 6 - 1, editor->height() - 1));
    editor->control()->SetRect(rect);
}

void TMainform::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize(this);
}

void TMainform::DisplayHint(QObject*)
{
    StatusBar1->setPanelText(0, longHint(ApplicationHint));
}

void TMainform::setApplicationHint(const QString& hint)
{
    ApplicationHint = hint;
    DisplayHint(this);
}

bool TMainform::event(QEvent* event)
{
    // A control's or menu item's hint goes to DisplayHint, never to a
    // temporary status message that would cover the panels.
    if (event->type() == QEvent::StatusTip) {
        setApplicationHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------------------
// Closing

void TMainform::closeEvent(QCloseEvent* event)
{
    // The close stays refused unless both handlers let it through, also when
    // one of them fails with an exception.
    event->ignore();
    bool canClose = true;
    FormCloseQuery(this, canClose);
    if (!canClose)
        return;
    TCloseAction action = TCloseAction::caHide;
    FormClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    event->accept();
}

void TMainform::FormCloseQuery(QObject*, bool&)
{
    StoreSettings();
}

void TMainform::FormClose(QObject*, TCloseAction& Action)
{
    if (!editor->IsModified()) {
        Action = TCloseAction::caFree;
        return;
    }
    switch (askSaveChanges()) {
    case IDCANCEL:
        Action = TCloseAction::caNone;
        return;
    case IDYES:
        // The window closes whatever the save dialog's outcome.
        saveChanges();
        return;
    default:
        return;
    }
}

void TMainform::Konec1Click(QObject*)
{
    if (editor->IsModified()) {
        switch (askSaveChanges()) {
        case IDCANCEL:
            return;
        case IDYES:
            if (!SaveDocumentAs(CurrentFileName))
                return;
            break;
        default:
            break;
        }
    }
    editor->setIsModified(false);
    close();
}

// ---------------------------------------------------------------------------
// Errors

void TMainform::LogException(QObject*, const std::exception& E)
{
    QFile log(ProgramFolder + QStringLiteral("error.log"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        const QLocale locale;
        const QDateTime now = QDateTime::currentDateTime();
        const QString dateTime = locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                                 locale.toString(now.time(), longTimeFormat(locale));
        const QString line =
            QStringLiteral("%1 : %2 - %3\r\n").arg(dateTime, ExceptionClassName(E), ExceptionMessage(E));
        log.write(line.toUtf8());
        log.close();
    }
    m_desktop.messageBox(QStringLiteral("Pozor, v programu došlo k nečekané chybě.\r\n"
                                        "Informace o chybě najdete v souboru Error.log .\r\n"
                                        "Pokud se toto chybové hlášení zobrazí vícekrát,\r\n"
                                        "prosím pošlete mi tento soubor na tuto adresu\r\n"
                                        "zorvan@example.org"),
                         applicationTitle, MB_OK | MB_ICONERROR);
}

void TMainform::showMessage(const QString& text)
{
    m_desktop.messageBox(text, applicationTitle, MB_OK);
}

// ---------------------------------------------------------------------------
// Plug-in libraries. Each is loaded by its absolute path in the program's
// "bin" folder only, never through the library search path, and released
// again after the call.

void TMainform::RunShortcutPlugin(unsigned char location)
{
    Library library(ProgramFolder + QStringLiteral("bin/zorvancsc.dll"));
    if (!library.isLoaded()) {
        showMessage(QStringLiteral("dynamická knihovna zorvancsc.dll nenalezena"));
        return;
    }
    using CreateShortcutProc = void (*)(const char* executablePath, unsigned char location, int reserved);
    auto createShortcut = library.function<CreateShortcutProc>("CreateShortcut");
    if (!createShortcut) {
        showMessage(QStringLiteral("Nebyla nalezena potřebná procedura"));
        return;
    }
    const QByteArray executable = QFile::encodeName(QCoreApplication::applicationFilePath());
    createShortcut(executable.constData(), location, 0);
}

void TMainform::RunAuthorPlugin()
{
    Library library(ProgramFolder + QStringLiteral("bin/zorvanauth.dll"));
    if (!library.isLoaded()) {
        showMessage(QStringLiteral("Dynamická knihovna zorvanauth.dll nenalezena"));
        return;
    }
    auto author = library.function<void (*)()>("Autor");
    if (!author) {
        showMessage(QStringLiteral("Nebyla nalezena potřebná procedura"));
        return;
    }
    author();
}

void TMainform::RunInfoPlugin()
{
    Library library(ProgramFolder + QStringLiteral("bin/zorvaninf.dll"));
    if (!library.isLoaded()) {
        showMessage(QStringLiteral("dynamická knihovna zorvaninf.dll nenalezena"));
        return;
    }
    auto info = library.function<void (*)()>("Info");
    if (!info) {
        showMessage(QStringLiteral("Nebyla nalezena potřebná procedura"));
        return;
    }
    info();
}

void TMainform::RunHtmlPlugin(TZvRichEdit* target)
{
    Library library(ProgramFolder + QStringLiteral("bin/zorvanhtmls.dll"));
    if (!library.isLoaded()) {
        showMessage(QStringLiteral("Dynamická knihovna zorvanhtmls.dll nenalezena"));
        return;
    }
    auto colourHtml = library.function<void (*)(QWidget*)>("htmlsyntaxe");
    if (!colourHtml) {
        showMessage(QStringLiteral("Nebyla nalezena potřebná procedura"));
        return;
    }
    colourHtml(target);
}

void TMainform::Oprogramu1Click(QObject*)
{
    RunInfoPlugin();
}

void TMainform::Oautorovi1Click(QObject*)
{
    RunAuthorPlugin();
}

// ---------------------------------------------------------------------------
// The edit actions act on the edit control that has the keyboard focus.

QWidget* TMainform::focusedEditControl() const
{
    // The window's own focus child: it keeps the focus while a pop-up menu of
    // the window is open.
    QWidget* focused = focusWidget();
    if (!focused)
        return nullptr;
    if (qobject_cast<QLineEdit*>(focused) || qobject_cast<QTextEdit*>(focused) ||
        qobject_cast<QPlainTextEdit*>(focused))
        return focused;
    return nullptr;
}

void TMainform::runEditAction(QAction* action)
{
    QWidget* target = focusedEditControl();
    if (!target)
        return;
    if (TZvCustomRichEdit* rich = richEditOf(target)) {
        if (action == EditCut1)
            rich->CutToClipboard();
        else if (action == EditCopy1)
            rich->CopyToClipboard();
        else if (action == EditPaste1)
            rich->PasteFromClipboard();
        else if (action == EditSelectAll1)
            rich->SelectAll();
        else if (action == EditUndo1)
            rich->Undo();
        else if (action == EditDelete1)
            rich->setSelectedText(QString());
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        if (action == EditCut1)
            line->cut();
        else if (action == EditCopy1)
            line->copy();
        else if (action == EditPaste1)
            line->paste();
        else if (action == EditSelectAll1)
            line->selectAll();
        else if (action == EditUndo1)
            line->undo();
        else if (action == EditDelete1)
            line->del();
    } else if (auto* text = qobject_cast<QTextEdit*>(target)) {
        if (action == EditCut1)
            text->cut();
        else if (action == EditCopy1)
            text->copy();
        else if (action == EditPaste1)
            text->paste();
        else if (action == EditSelectAll1)
            text->selectAll();
        else if (action == EditUndo1)
            text->undo();
        else if (action == EditDelete1)
            text->textCursor().removeSelectedText();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
        if (action == EditCut1)
            plain->cut();
        else if (action == EditCopy1)
            plain->copy();
        else if (action == EditPaste1)
            plain->paste();
        else if (action == EditSelectAll1)
            plain->selectAll();
        else if (action == EditUndo1)
            plain->undo();
        else if (action == EditDelete1)
            plain->textCursor().removeSelectedText();
    }
    UpdateEditActions();
}

void TMainform::UpdateEditActions()
{
    if (!EditCut1)
        return;
    bool selection = false;
    bool text = false;
    bool canUndo = false;
    QWidget* target = focusedEditControl();
    if (TZvCustomRichEdit* rich = target ? richEditOf(target) : nullptr) {
        RichEditControl* control = rich->control();
        const CHARRANGE range = control->ExGetSel();
        selection = range.cpMax > range.cpMin;
        text = control->GetTextLength() > 0;
        canUndo = control->CanUndo();
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        selection = line->hasSelectedText();
        text = !line->text().isEmpty();
        canUndo = line->isUndoAvailable();
    } else if (auto* edit = qobject_cast<QTextEdit*>(target)) {
        selection = edit->textCursor().hasSelection();
        text = !edit->document()->isEmpty();
        canUndo = edit->document()->isUndoAvailable();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
        selection = plain->textCursor().hasSelection();
        text = !plain->document()->isEmpty();
        canUndo = plain->document()->isUndoAvailable();
    }
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const bool pastable = target && clipboard && clipboard->hasText();
    EditCut1->setEnabled(selection);
    EditCopy1->setEnabled(selection);
    EditDelete1->setEnabled(selection);
    EditPaste1->setEnabled(pastable);
    EditSelectAll1->setEnabled(text);
    EditUndo1->setEnabled(canUndo);
}

void TMainform::watchFocusedEditControl(QWidget* widget)
{
    for (const QMetaObject::Connection& connection : std::as_const(m_editControlConnections))
        disconnect(connection);
    m_editControlConnections.clear();
    if (!widget || widget->window() != this)
        return;
    auto update = [this] { UpdateEditActions(); };
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        m_editControlConnections << connect(line, &QLineEdit::selectionChanged, this, update)
                                 << connect(line, &QLineEdit::textChanged, this, update);
    } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
        m_editControlConnections << connect(text, &QTextEdit::selectionChanged, this, update)
                                 << connect(text, &QTextEdit::textChanged, this, update)
                                 << connect(text, &QTextEdit::undoAvailable, this, update);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        m_editControlConnections << connect(plain, &QPlainTextEdit::selectionChanged, this, update)
                                 << connect(plain, &QPlainTextEdit::textChanged, this, update)
                                 << connect(plain, &QPlainTextEdit::undoAvailable, this, update);
    }
}

// ---------------------------------------------------------------------------
// The handlers below are connected to their controls; their commands arrive
// with the features they belong to, each named in the group's comment.

// Settings file and settings dialog.
void TMainform::LoadSettings()
{
}
void TMainform::StoreSettings()
{
}
void TMainform::Monosti1Click(QObject*)
{
}
void TMainform::Monosti2Click(QObject*)
{
}

// Status bar refreshers and timers.
void TMainform::ShowCaretPosition()
{
}
void TMainform::ShowCharCount()
{
}
void TMainform::ShowWordCount()
{
}
void TMainform::ShowModifiedFlag()
{
}
void TMainform::Timer1Timer(QObject*)
{
}
void TMainform::Timer2Timer(QObject*)
{
}

// New, open and save.
// Printing and page setup.
void TMainform::tiskClick(QObject*)
{
}
void TMainform::isk1Click(QObject*)
{
}
void TMainform::vzhledstrnky1Click(QObject*)
{
}

// Character formatting.
void TMainform::Psmo1Click(QObject*)
{
}
void TMainform::Nastavenpsma1Click(QObject*)
{
}
void TMainform::Barvapsma1Click(QObject*)
{
}
void TMainform::Barvapozadpsma1Click(QObject*)
{
}
void TMainform::Nastavenbarvypsma1Click(QObject*)
{
}
void TMainform::Nastavenpozadtextu1Click(QObject*)
{
}
void TMainform::FontBox1Change(QObject*)
{
}
void TMainform::velikostpismaChange(QObject*)
{
}
void TMainform::ToolButton35Click(QObject*)
{
}
void TMainform::ToolButton36Click(QObject*)
{
}
void TMainform::ToolButton37Click(QObject*)
{
}
void TMainform::ToolButton38Click(QObject*)
{
}
void TMainform::dindexClick(QObject*)
{
}
void TMainform::hindexClick(QObject*)
{
}
void TMainform::barvatextuColorChange(QObject*)
{
}
void TMainform::bpozaditextuColorChange(QObject*)
{
}
void TMainform::UpdateFormatControls()
{
}

// Paragraph formatting, the ruler and the paragraph dialog.
void TMainform::lzarovnaniClick(QObject*)
{
}
void TMainform::szarovnaniClick(QObject*)
{
}
void TMainform::pzarovnaniClick(QObject*)
{
}
void TMainform::czarovnaniClick(QObject*)
{
}
void TMainform::cisodrazClick(QObject*)
{
}
void TMainform::tecodrazClick(QObject*)
{
}
void TMainform::ToolButton43Click(QObject*)
{
}
void TMainform::ToolButton44Click(QObject*)
{
}
void TMainform::normalniClick(QObject*)
{
}
void TMainform::radku15Click(QObject*)
{
}
void TMainform::radku2Click(QObject*)
{
}
void TMainform::radku3Click(QObject*)
{
}
void TMainform::Dal1Click(QObject*)
{
}
void TMainform::Odstavec1Click(QObject*)
{
}
void TMainform::rulerIndentChange(QObject*)
{
}
void TMainform::editorSelectionChange(QObject*)
{
}

// Insert, search and clipboard commands and the editor's input events.
void TMainform::Najtvtextu1Click(QObject*)
{
}
void TMainform::Najtvtextu2Click(QObject*)
{
}
void TMainform::Nahradittext1Click(QObject*)
{
}
void TMainform::Nahradittext2Click(QObject*)
{
}
void TMainform::undoClick(QObject*)
{
}
void TMainform::redoClick(QObject*)
{
}
void TMainform::Zpt2Click(QObject*)
{
}
void TMainform::Vped1Click(QObject*)
{
}
void TMainform::Vybratve1Click(QObject*)
{
}
void TMainform::Datum1Click(QObject*)
{
}
void TMainform::Obrzek1Click(QObject*)
{
}
void TMainform::ToolButton24Click(QObject*)
{
}
void TMainform::VloitBitmapu1Click(QObject*)
{
}
void TMainform::Vloitdatumaas1Click(QObject*)
{
}
void TMainform::Dal2Click(QObject*)
{
}
void TMainform::Dal3Click(QObject*)
{
}
void TMainform::editorEnter(QObject*)
{
}
void TMainform::editorKeyDown(QObject*, int&, Qt::KeyboardModifiers)
{
}
void TMainform::editorKeyPress(QObject*, QChar&)
{
}
void TMainform::editorMouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
}
void TMainform::editorURLClick(QObject*, const QString&, TMouseButton)
{
}
