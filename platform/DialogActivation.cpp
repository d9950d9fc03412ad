#include "platform/DialogActivation.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Dialogs only: menus, tool tips and combo-box lists are windows too, but
// they take the keyboard in their own way or not at all.
bool isDialog(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->isWindow() &&
           (widget->windowType() == Qt::Dialog || widget->windowType() == Qt::Sheet);
}

} // namespace

DialogActivation::DialogActivation(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

bool DialogActivation::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || !isDialog(watched))
        return false;
    auto* dialog = static_cast<QWidget*>(watched);
    if (type == QEvent::Show) {
        dialog->activateWindow();
        return false;
    }
    // The keyboard goes back unless a window of its own has taken it meanwhile.
    // The owner asks again even when it seems active already: an activation of
    // the dialog may still be on its way from the window system.
    QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    const QWidget* active = QApplication::activeWindow();
    if (owner && owner->isVisible() && (!active || active == dialog || active == owner))
        owner->activateWindow();
    return false;
}
