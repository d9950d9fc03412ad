#include "widgets/TZvColorForm.h"

#include "platform/SysColor.h"
#include "widgets/TZvColorDragBar.h"
#include "widgets/TZvColorPanel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>

TZvColorForm::TZvColorForm(Desktop& desktop, const TZvColorButtonProperties& properties, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_properties(properties)
{
    setWindowTitle(QStringLiteral("Color Window"));
    m_dragBar = new TZvColorDragBar(this);
    m_panel = new TZvColorPanel(desktop, this);
    connect(m_dragBar, &TZvColorDragBar::dragStarted, this, &TZvColorForm::tearOff);
    layoutContents();
}

QPoint TZvColorForm::dropDownPosition(const QRect& button, const QSize& size, const QRect& screen)
{
    QPoint position(button.left(), button.top() + button.height());
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    if (position.x() + size.width() > screenRight)
        position.setX(screenRight - size.width());
    if (position.y() + size.height() > screenBottom)
        position.setY(button.top() - size.height());
    return position;
}

void TZvColorForm::layoutContents()
{
    const QSize panelSize = m_panel->size();
    int panelTop = 1;
    const bool barShown = m_properties.ShowDragBar() && !m_floating;
    if (barShown) {
        const int space = m_properties.DragBarSpace();
        const int height = m_properties.DragBarHeight();
        m_dragBar->setGeometry(FrameWidth, FrameWidth + space, panelSize.width(), height);
        panelTop = 2 * space + height + 1;
    }
    m_dragBar->setVisible(barShown);
    m_panel->move(FrameWidth, FrameWidth + panelTop);
    setFixedSize(panelSize.width() + 2 * FrameWidth, panelTop + panelSize.height() + 2 * FrameWidth);
}

void TZvColorForm::setFloating(bool floating)
{
    if (floating == m_floating)
        return;
    m_floating = floating;
    layoutContents();
}

void TZvColorForm::setTopmost(bool topmost)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    // New window flags hide the window; it comes back where it was, still floating.
    const bool visible = isVisible();
    const QPoint position = pos();
    m_changingFlags = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    m_changingFlags = false;
    if (!visible)
        return;
    move(position);
    show();
}

void TZvColorForm::tearOff(QPoint globalPosition)
{
    setFloating(true);
    // The window follows the pointer until the button is released: through
    // the desktop's own window-move loop, or by itself where there is none.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_moveOffset = globalPosition - pos();
    grabMouse();
}

void TZvColorForm::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_moveOffset)
        return;
    move(event->globalPosition().toPoint() - *m_moveOffset);
}

void TZvColorForm::mouseReleaseEvent(QMouseEvent*)
{
    if (!m_moveOffset)
        return;
    m_moveOffset.reset();
    releaseMouse();
}

void TZvColorForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    hide();
}

void TZvColorForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && !m_changingFlags)
        Q_EMIT deactivated();
}

void TZvColorForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_changingFlags)
        return;
    if (m_moveOffset) {
        m_moveOffset.reset();
        releaseMouse();
    }
    setFloating(false);
    Q_EMIT closed();
}

void TZvColorForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), SysColor(clBtnFace));
    qDrawWinPanel(&painter, rect(), palette(), false);
}
