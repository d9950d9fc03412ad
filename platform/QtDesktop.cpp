#include "platform/QtDesktop.h"

#include "platform/FontDialog.h"
#include "platform/InsertObjectDialog.h"
#include "platform/ObjectPropertiesDialog.h"
#include "platform/PicturePreview.h"
#include "platform/QtFindDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPointer>
#include <QPrinterInfo>
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

// The extension a name without one gets with this file type: the type's own
// when its first pattern names one ("*.txt"), otherwise `fallback`.
QString extensionOf(const FileDialogFilter& filter, const QString& fallback)
{
    const QString first = filter.patterns.section(u';', 0, 0).trimmed();
    const QString extension = first.startsWith(QStringLiteral("*.")) ? first.mid(2) : QString();
    const bool concrete = !extension.isEmpty() && !extension.contains(u'*') && !extension.contains(u'?');
    return concrete ? extension : fallback;
}

// The 0-based index of the file type that the dialog names `selected`, by its
// whole filter or, with the details hidden, by its description; -1 for none.
int indexOfFilter(const std::vector<FileDialogFilter>& filters, const QString& selected)
{
    for (std::size_t index = 0; index < filters.size(); ++index) {
        const FileDialogFilter& filter = filters[index];
        if (selected == QtDesktop::nameFilter(filter) || selected == filter.description.simplified())
            return int(index);
    }
    return -1;
}

QMarginsF toMillimetres(const PageMargins& margins)
{
    return QMarginsF(margins.left, margins.top, margins.right, margins.bottom) / 100.0;
}

PageMargins fromMillimetres(const QMarginsF& margins)
{
    return PageMargins{qRound(margins.left() * 100), qRound(margins.top() * 100),
                       qRound(margins.right() * 100), qRound(margins.bottom() * 100)};
}

// A modal dialog has closed: its owner takes the keyboard focus back, which a
// desktop without a window manager does not give it.
void giveFocusBack(const QPointer<QWidget>& owner)
{
    if (owner)
        owner->activateWindow();
}

} // namespace

int QtDesktop::messageBox(const QString& text, const QString& caption, unsigned flags)
{
    // Windows separates the lines of a message with CR LF; a label breaks at LF alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QMessageBox box(iconFor(flags), caption, shown, QMessageBox::NoButton, owner);
    const std::vector<QMessageBox::StandardButton> buttons = buttonsFor(flags);
    for (QMessageBox::StandardButton button : buttons)
        box.addButton(button);
    const std::size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    box.setDefaultButton(buttons.at(defaultIndex < buttons.size() ? defaultIndex : 0));
    // Closing the box by its frame answers Cancel where the box has one, as on Windows.
    if (std::find(buttons.begin(), buttons.end(), QMessageBox::Cancel) != buttons.end())
        box.setEscapeButton(QMessageBox::Cancel);
    const int result = box.exec();
    giveFocusBack(owner);
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

bool QtDesktop::openPictureDialog(FileDialogOptions& options)
{
    return runFileDialog(options, DialogKind::OpenPicture);
}

bool QtDesktop::insertObjectDialog(InsertObjectOptions& options)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    InsertObjectDialog dialog(options, *this, owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    if (accepted)
        options.fileName = dialog.fileName();
    return accepted;
}

bool QtDesktop::objectPropertiesDialog(const ObjectPropertiesOptions& options)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    ObjectPropertiesDialog dialog(options, owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    return accepted;
}

bool QtDesktop::runFileDialog(FileDialogOptions& options, DialogKind kind)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QFileDialog dialog(owner, options.title);
    // Qt's own dialog, which speaks the program's language and keeps the
    // rules below, also where the desktop offers a dialog of its own.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const FileDialogFilter& filter : options.filters)
        filters << nameFilter(filter);
    switch (kind) {
    case DialogKind::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(options.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        break;
    case DialogKind::OpenPicture: {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        // Qt's own dialog lays its parts out in a grid; the preview takes a
        // column of its own at the right.
        auto* preview = new PicturePreview(&dialog);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::showFile);
        break;
    }
    case DialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
        break;
    }
    // Each type is shown once, as its description names it; the patterns
    // Qt needs stay behind it.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    // The type is selected before the name, so that a proposed name keeps its
    // extension; a type the user picks afterwards gives it the type's own.
    const int initial = options.filterIndex - 1;
    if (initial >= 0 && initial < filters.size())
        dialog.selectNameFilter(filters.at(initial));
    // A name typed without an extension gets the chosen type's extension when
    // saving; an open dialog opens exactly the file named.
    const auto followType = [&](int index) {
        const bool known = index >= 0 && index < int(options.filters.size());
        dialog.setDefaultSuffix(known ? extensionOf(options.filters[index], options.defaultExtension)
                                      : options.defaultExtension);
    };
    if (kind == DialogKind::Save) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& selected) {
            followType(indexOfFilter(options.filters, selected));
        });
        followType(initial);
    }
    if (!options.initialDir.isEmpty())
        dialog.setDirectory(options.initialDir);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    if (!accepted || dialog.selectedFiles().isEmpty())
        return false;
    options.fileName = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    const int chosen = indexOfFilter(options.filters, dialog.selectedNameFilter());
    if (chosen >= 0)
        options.filterIndex = chosen + 1;
    return true;
}

bool QtDesktop::chooseColor(ColorDialogOptions& options)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    // The custom colours are the dialog's own, shared by every colour dialog.
    const int customCount = std::min(int(options.customColors.size()), QColorDialog::customCount());
    for (int index = 0; index < customCount; ++index)
        QColorDialog::setCustomColor(index, ColorRefToQColor(options.customColors[std::size_t(index)]));
    QColorDialog dialog(ColorRefToQColor(options.color), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    if (!accepted)
        return false;
    options.color = QColorToColorRef(dialog.selectedColor());
    options.customColors.clear();
    for (int index = 0; index < QColorDialog::customCount(); ++index)
        options.customColors.push_back(QColorToColorRef(QColorDialog::customColor(index)));
    return true;
}

bool QtDesktop::chooseFont(FontDialogOptions& options)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    FontDialog dialog(options, owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    if (!accepted)
        return false;
    options.font = dialog.selectedFont();
    return true;
}

bool QtDesktop::browseForFolder(const QString& prompt, QString& folder)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, prompt, folder, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    giveFocusBack(owner);
    if (chosen.isEmpty())
        return false;
    folder = chosen;
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

QStringList QtDesktop::printerNames()
{
    return QPrinterInfo::availablePrinterNames();
}

bool QtDesktop::printDialog(QPrinter& printer)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QPrintDialog dialog(&printer, owner);
    // The whole document is always printed, on the printer itself.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    return accepted;
}

bool QtDesktop::pageSetupDialog(QPrinter& printer, PageSetupOptions& options)
{
    // The dialog edits the printer's layout, so it is shown on the paper and
    // margins the options keep, and the printer's own layout is put back
    // afterwards with only the paper and orientation taken over.
    const QPageLayout printing = printer.pageLayout();
    const QSizeF paper(options.paperWidth / 100.0, options.paperHeight / 100.0);
    printer.setPageLayout(QPageLayout(QPageSize(paper, QPageSize::Millimeter), printing.orientation(),
                                      toMillimetres(options.margins), QPageLayout::Millimeter,
                                      toMillimetres(options.minimumMargins)));
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QPageSetupDialog dialog(&printer, owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveFocusBack(owner);
    const QPageLayout chosen = printer.pageLayout();
    printer.setPageLayout(printing);
    if (!accepted)
        return false;
    const QSizeF chosenPaper = chosen.pageSize().size(QPageSize::Millimeter);
    options.paperWidth = qRound(chosenPaper.width() * 100);
    options.paperHeight = qRound(chosenPaper.height() * 100);
    options.margins = fromMillimetres(chosen.margins(QPageLayout::Millimeter));
    options.orientation = chosen.orientation();
    ApplyPaperAndOrientation(printer, options);
    return true;
}

TFindDialog* QtDesktop::createFindDialog(QObject* owner, FindDialogKind kind)
{
    return new QtFindDialog(kind, owner);
}
