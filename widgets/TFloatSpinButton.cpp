#include "widgets/TFloatSpinButton.h"

#include "widgets/TFTimerSpeedButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

bool isTabStop(const QWidget* widget)
{
    return widget->focusPolicy() & Qt::TabFocus;
}

bool canTakeFocus(const QWidget* widget)
{
    return widget->focusPolicy() != Qt::NoFocus && widget->isEnabled() && widget->isVisible();
}

} // namespace

TFloatSpinButton::TFloatSpinButton(QWidget* parent)
    : QWidget(parent), m_upButton(new TFTimerSpeedButton(TFTimerSpeedButton::Direction::Up, this)),
      m_downButton(new TFTimerSpeedButton(TFTimerSpeedButton::Direction::Down, this)),
      m_focusedButton(m_upButton)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    for (TFTimerSpeedButton* arrow : {m_upButton, m_downButton}) {
        arrow->setAutoRepeat(true);
        arrow->installEventFilter(this);
    }
    connect(m_upButton, &QAbstractButton::clicked, this, [this] {
        if (OnUpClick)
            OnUpClick(this);
    });
    connect(m_downButton, &QAbstractButton::clicked, this, [this] {
        if (OnDownClick)
            OnDownClick(this);
    });
    resize(20, 25);
}

bool TFloatSpinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        arrowPressed(static_cast<TFTimerSpeedButton*>(watched));
    }
    return QWidget::eventFilter(watched, event);
}

void TFloatSpinButton::arrowPressed(TFTimerSpeedButton* arrow)
{
    if (isTabStop(this) && canTakeFocus(this))
        setFocusedButton(arrow);
    if (m_focusControl && isTabStop(m_focusControl) && canTakeFocus(m_focusControl) &&
        !m_focusControl->hasFocus()) {
        m_focusControl->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (isTabStop(this) && canTakeFocus(this) && !hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void TFloatSpinButton::setFocusedButton(TFTimerSpeedButton* arrow)
{
    m_focusedButton = arrow;
    updateFocusFrames();
}

void TFloatSpinButton::updateFocusFrames()
{
    m_upButton->setFocusFrame(hasFocus() && m_focusedButton == m_upButton);
    m_downButton->setFocusFrame(hasFocus() && m_focusedButton == m_downButton);
}

void TFloatSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() < MinimumWidth) {
        resize(MinimumWidth, height());
        return;
    }
    // The down arrow overlaps the up arrow by one pixel, so their frames share a line.
    const int upHeight = height() / 2;
    m_upButton->setGeometry(0, 0, width(), upHeight);
    m_downButton->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

void TFloatSpinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        m_focusedButton->click();
        return;
    case Qt::Key_Up:
        setFocusedButton(m_upButton);
        m_upButton->click();
        return;
    case Qt::Key_Down:
        setFocusedButton(m_downButton);
        m_downButton->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TFloatSpinButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    updateFocusFrames();
}

void TFloatSpinButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    updateFocusFrames();
}
