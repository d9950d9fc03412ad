#pragma once

// The insert-object dialog. Objects here are pictures made from a file: the
// dialog lists that kind, takes the file's path (typed, or chosen with
// "Procházet..." in the picture-open dialog) and accepts only an existing file.

#include "platform/Desktop.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QListWidget;

class InsertObjectDialog : public QDialog
{
    Q_OBJECT
public:
    InsertObjectDialog(const InsertObjectOptions& options, Desktop& desktop, QWidget* parent = nullptr);

    // The absolute path of the chosen file.
    QString fileName() const;

private:
    void browse();
    void updateOkButton();

    InsertObjectOptions m_options;
    Desktop& m_desktop;
    QListWidget* m_kinds = nullptr;
    QLineEdit* m_file = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
