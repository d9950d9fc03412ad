#pragma once

// A text field for a folder path with a small button at its right end that
// opens the desktop's folder browser, starting in the folder typed in the
// field. A chosen folder replaces the text; a cancelled browser leaves it.

#include <QLineEdit>
#include <QString>

class Desktop;

class TFolderEdit : public QLineEdit
{
    Q_OBJECT
public:
    TFolderEdit(Desktop& desktop, QWidget* parent = nullptr);

    // The text the folder browser shows above its tree.
    void setDialogText(const QString& value) { m_dialogText = value; }

    void browse();

private:
    Desktop& m_desktop;
    QString m_dialogText;
};
