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

// The window a closing dialog hands the keyboard to: its owner's, else the
// program's shown main window (a message box raised while no window was
// active has no owner).
QWidget* ownerOf(const QWidget* dialog)
{
    if (dialog->parentWidget())
        return dialog->parentWidget()->window();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() && window->windowType() == Qt::Window)
            return window;
    }
    return nullptr;
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
    QWidget* owner = ownerOf(dialog);
    const QWidget* active = QApplication::activeWindow();
    if (owner && owner->isVisible() && (!active || active == dialog || active == owner))
        owner->activateWindow();
    return false;
}
