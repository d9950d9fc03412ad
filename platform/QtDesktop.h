#pragma once

// The desktop services shown with real Qt dialogs, parented to the active window.

#include "platform/Desktop.h"

class QFileDialog;

class QtDesktop : public Desktop
{
public:
    int messageBox(const QString& text, const QString& caption, unsigned flags) override;
    bool openFileDialog(FileDialogOptions& options) override;
    bool saveFileDialog(FileDialogOptions& options) override;
    bool openPictureDialog(FileDialogOptions& options) override;
    bool insertObjectDialog(InsertObjectOptions& options) override;
    bool objectPropertiesDialog(const ObjectPropertiesOptions& options) override;
    bool chooseColor(ColorDialogOptions& options) override;
    bool chooseFont(FontDialogOptions& options) override;
    bool browseForFolder(const QString& prompt, QString& folder) override;
    QStringList printerNames() override;
    // Print and page setup dialogs.
    bool printDialog(QPrinter& printer) override;
    bool pageSetupDialog(QPrinter& printer, PageSetupOptions& options) override;

    // Find and replace dialogs.
    TFindDialog* createFindDialog(QObject* owner, FindDialogKind kind) override;

    void messageBeep(unsigned type) override;
    bool shellExecuteOpen(const QString& target) override;

    // The Qt name filter of one file type: "Zorvan text(*.zvd) (*.zvd)". The
    // dialogs show only the description, "Zorvan text(*.zvd)".
    static QString nameFilter(const FileDialogFilter& filter);

private:
    enum class DialogKind { Open, OpenPicture, Save };
    bool runFileDialog(FileDialogOptions& options, DialogKind kind);
};
