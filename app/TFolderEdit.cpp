#include "app/TFolderEdit.h"

#include "platform/Desktop.h"

#include <QAction>
#include <QStyle>

TFolderEdit::TFolderEdit(Desktop& desktop, QWidget* parent) : QLineEdit(parent), m_desktop(desktop)
{
    // The button at the right end opens the folder browser.
    QAction* browseAction =
        addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    connect(browseAction, &QAction::triggered, this, &TFolderEdit::browse);
}

void TFolderEdit::browse()
{
    QString folder = text();
    if (!m_desktop.browseForFolder(m_dialogText, folder))
        return;
    setText(folder);
}
