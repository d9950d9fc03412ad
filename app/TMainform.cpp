#include "app/TMainform.h"

#include "app/TStatusBar.h"
#include "platform/DialogActivation.h"
#include "platform/OsVersion.h"
#include "platform/ZvApplication.h"
#include "platform/ZvExceptions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusTipEvent>

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

} // namespace

QString LongTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return format.trimmed();
}

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
    new DialogActivation(this);
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
    bool opened = false;
    if (m_parameters.size() == 1 && !refuseNonFile(m_parameters.constFirst())) {
        CurrentFileName = m_parameters.constFirst();
        try {
            editor->Lines().LoadFromFile(CurrentFileName);
            setWindowTitle(windowTitle() + u'-' + CurrentFileName);
            editor->update();
            editor->setIsModified(false);
            opened = true;
        } catch (const std::exception& exception) {
            // The window opens all the same, without a name, so that neither a
            // save nor the autosave writes the empty document over the unread file.
            CurrentFileName.clear();
            LogException(this, exception);
        }
    }

    // 3. Windows with minor version 10 draws its menus itself.
    FlatMenu1->setActive(GetVersionEx().dwMinorVersion != 10);
    editor->setIsModified(false);

    // 4.
    LoadSettings();

    // 5.
    ClipartFolder = ProgramFolder + QStringLiteral("clipart/");
    OpenPictureDialog1.initialDir = ClipartFolder;

    // 6. Default indents of a new document's paragraph: right 60 pt, first
    //    line at the ruler's left margin less 18 pt. An opened document keeps
    //    its own, or a mere open and save would move its first paragraph.
    if (!opened) {
        editor->ParagraphAttributes().setRightIndent(60);
        editor->ParagraphAttributes().setFirstLineIndent(ruler->MarginLeft() - 18);
    }

    // 7. and 8. The tool bar shows the format at the caret from the start, not
    //    only after the first arrow key or click.
    editorSelectionChange(this);
    UpdateFormatControls();
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
    editor->SetFormatRect(rect);
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
        // A cancelled save dialog keeps the window and its text; a failed save
        // throws before the close is let through.
        if (!saveChanges())
            Action = TCloseAction::caNone;
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
    // The message names the log by the name it has on the disk.
    const QString logName = QStringLiteral("error.log");
    QFile log(ProgramFolder + logName);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        const QLocale locale;
        const QDateTime now = QDateTime::currentDateTime();
        const QString dateTime = locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                                 locale.toString(now.time(), LongTimeFormat(locale));
        const QString line =
            QStringLiteral("%1 : %2 - %3\r\n").arg(dateTime, ExceptionClassName(E), ExceptionMessage(E));
        log.write(line.toUtf8());
        log.close();
    }
    // An error about a file names the file and what is wrong with it, which
    // is what a person can act on.
    QStringList lines{QStringLiteral("Pozor, v programu došlo k nečekané chybě."),
                      QStringLiteral("Informace o chybě najdete v souboru %1 .").arg(logName),
                      QStringLiteral("Pokud se toto chybové hlášení zobrazí vícekrát,"),
                      QStringLiteral("prosím pošlete mi tento soubor na tuto adresu"),
                      QStringLiteral("zorvan@example.org")};
    if (const QString fileSentence = FileFaultSentence(E); !fileSentence.isEmpty())
        lines.insert(1, fileSentence);
    m_desktop.messageBox(lines.join(QStringLiteral("\r\n")), applicationTitle, MB_OK | MB_ICONERROR);
}

void TMainform::showMessage(const QString& text)
{
    m_desktop.messageBox(text, applicationTitle, MB_OK);
}

// ---------------------------------------------------------------------------
// The edit actions act on the edit control that has the keyboard focus.

QWidget* TMainform::focusedEditControl() const
{
    // The window's own focus child: it keeps the focus while a pop-up menu of
    // the window is open.
    return EditControl::of(focusWidget()).widget();
}

void TMainform::runEditAction(EditControl::Command command)
{
    EditControl::of(focusedEditControl()).run(command);
    UpdateEditActions();
}

void TMainform::UpdateEditActions()
{
    if (!EditCut1)
        return;
    const EditControl target = EditControl::of(focusedEditControl());
    const bool selection = target.hasSelection();
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const bool pastable = target.isValid() && clipboard && clipboard->hasText();
    EditCut1->setEnabled(selection);
    EditCopy1->setEnabled(selection);
    EditDelete1->setEnabled(selection);
    EditPaste1->setEnabled(pastable);
    EditSelectAll1->setEnabled(target.hasText());
    EditUndo1->setEnabled(target.canUndo());
}

void TMainform::watchFocusedEditControl(QWidget* widget)
{
    for (const QMetaObject::Connection& connection : std::as_const(m_editControlConnections))
        disconnect(connection);
    m_editControlConnections.clear();
    if (!widget || widget->window() != this)
        return;
    m_editControlConnections = EditControl::of(widget).watch(this, [this] { UpdateEditActions(); });
}
