#pragma once

// The find or replace dialog on screen: a modeless Czech dialog window over
// the owner's window. Whatever the user types or ticks goes into the dialog's
// state at once; its buttons raise the dialog's events.

#include "platform/TFindDialog.h"

#include <QPointer>

class QCheckBox;
class QDialog;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class QtFindDialog : public TFindDialog
{
    Q_OBJECT
public:
    // The window is made at once, hidden, over the window of `owner` when
    // that is a widget.
    QtFindDialog(FindDialogKind kind, QObject* owner);
    ~QtFindDialog() override;

    bool Execute() override;
    void CloseDialog() override;
    bool isVisible() const override;
    QPoint position() const override;
    void setPosition(const QPoint& position) override;
    QRect windowRect() const override;

    QDialog* window() const { return m_window; }

protected:
    void stateChanged() override;

private:
    void buildWindow(QWidget* parent);
    QPushButton* addButton(const QString& caption, void (TFindDialog::*press)());
    void setOption(TFindOption option, bool on);

    QPointer<QDialog> m_window;
    QLineEdit* m_findEdit = nullptr;
    QLineEdit* m_replaceEdit = nullptr; // replace dialog only
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QGroupBox* m_direction = nullptr; // find dialog only
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QList<QPushButton*> m_requestButtons; // disabled while there is nothing to find
};
