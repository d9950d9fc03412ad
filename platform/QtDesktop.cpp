#include "platform/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace {

// The buttons of a box in the order Windows shows them, which is also the
// order MB_DEFBUTTONn counts.
std::vector<QMessageBox::StandardButton> buttonsFor(unsigned flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case MB_ABORTRETRYIGNORE:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case MB_YESNOCANCEL:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MB_YESNO:
        return {QMessageBox::Yes, QMessageBox::No};
    case MB_RETRYCANCEL:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

QMessageBox::Icon iconFor(unsigned flags)
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerFor(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Abort:
        return IDABORT;
    case QMessageBox::Retry:
        return IDRETRY;
    case QMessageBox::Ignore:
        return IDIGNORE;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

} // namespace

int QtDesktop::messageBox(const QString& text, const QString& caption, unsigned flags)
{
    // Windows separates the lines of a message with CR LF; a label breaks at LF alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconFor(flags), caption, shown, QMessageBox::NoButton, QApplication::activeWindow());
    const std::vector<QMessageBox::StandardButton> buttons = buttonsFor(flags);
    for (QMessageBox::StandardButton button : buttons)
        box.addButton(button);
    const std::size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    box.setDefaultButton(buttons.at(defaultIndex < buttons.size() ? defaultIndex : 0));
    // Closing the box by its frame answers Cancel where the box has one, as on Windows.
    if (std::find(buttons.begin(), buttons.end(), QMessageBox::Cancel) != buttons.end())
        box.setEscapeButton(QMessageBox::Cancel);
    const int result = box.exec();
    return answerFor(result);
}

QString QtDesktop::nameFilter(const FileDialogFilter& filter)
{
    QStringList patterns = filter.patterns.split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        pattern = pattern.trimmed();
    return filter.description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

bool QtDesktop::openFileDialog(FileDialogOptions& options)
{
    return runFileDialog(options, DialogKind::Open);
}

bool QtDesktop::saveFileDialog(FileDialogOptions& options)
{
    return runFileDialog(options, DialogKind::Save);
}

bool QtDesktop::runFileDialog(FileDialogOptions& options, DialogKind kind)
{
    QFileDialog dialog(QApplication::activeWindow(), options.title);
    QStringList filters;
    for (const FileDialogFilter& filter : options.filters)
        filters << nameFilter(filter);
    switch (kind) {
    case DialogKind::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(options.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        break;
    case DialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
        break;
    }
    dialog.setNameFilters(filters);
    if (options.filterIndex >= 1 && options.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(options.filterIndex - 1));
    dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.initialDir.isEmpty())
        dialog.setDirectory(options.initialDir);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    options.fileName = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    const int chosen = int(filters.indexOf(dialog.selectedNameFilter()));
    if (chosen >= 0)
        options.filterIndex = chosen + 1;
    return true;
}

void QtDesktop::messageBeep(unsigned)
{
    QApplication::beep();
}

bool QtDesktop::shellExecuteOpen(const QString& target)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}
