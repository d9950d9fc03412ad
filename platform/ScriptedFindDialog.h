#pragma once

// The find and replace dialog of tests: no window, only its state. A test
// fires the buttons (pressFindNext ...) and reads where the dialog was moved.

#include "platform/TFindDialog.h"

#include <QSize>

class ScriptedFindDialog : public TFindDialog
{
    Q_OBJECT
public:
    using TFindDialog::TFindDialog;

    // The size of the window the dialog pretends to have.
    static constexpr QSize WindowSize{350, 150};

    bool Execute() override;
    void CloseDialog() override;
    bool isVisible() const override { return m_visible; }
    QPoint position() const override { return m_position; }
    void setPosition(const QPoint& position) override { m_position = position; }
    QRect windowRect() const override { return {m_position, WindowSize}; }

    // How often Execute found the dialog shown already and brought it to the front.
    int timesBroughtToFront() const { return m_timesBroughtToFront; }

private:
    bool m_visible = false;
    QPoint m_position;
    int m_timesBroughtToFront = 0;
};
