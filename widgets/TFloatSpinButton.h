#pragma once

// The pair of arrow buttons of a spin field: the up arrow over the down arrow,
// both repeating while held. It remembers which arrow has the keyboard focus
// (the up arrow at first) and hands the focus to FocusControl when an arrow is
// pressed. It is no tab stop at first; made one, it takes Space, Up and Down.

#include <QWidget>

#include <functional>

class TFTimerSpeedButton;

class TFloatSpinButton : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MinimumWidth = 15;

    explicit TFloatSpinButton(QWidget* parent = nullptr);

    // The control that takes the focus when an arrow is pressed; none at first.
    QWidget* FocusControl() const { return m_focusControl; }
    void setFocusControl(QWidget* control) { m_focusControl = control; }

    TFTimerSpeedButton* upButton() const { return m_upButton; }
    TFTimerSpeedButton* downButton() const { return m_downButton; }
    // The arrow that Space clicks and that shows the focus frame.
    TFTimerSpeedButton* focusedButton() const { return m_focusedButton; }

    std::function<void(QObject* sender)> OnUpClick;
    std::function<void(QObject* sender)> OnDownClick;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void arrowPressed(TFTimerSpeedButton* arrow);
    void setFocusedButton(TFTimerSpeedButton* arrow);
    void updateFocusFrames();

    TFTimerSpeedButton* m_upButton = nullptr;
    TFTimerSpeedButton* m_downButton = nullptr;
    TFTimerSpeedButton* m_focusedButton = nullptr;
    QWidget* m_focusControl = nullptr;
};
