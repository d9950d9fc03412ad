// The author plug-in: "O autorovi" in the program's Help menu calls Autor,
// which shows a modal window about who makes Zorvan and returns when the user
// closes it (OK, Escape or the window's close button).

#include <QApplication>
#include <QMessageBox>

namespace {

// Texts handed to Qt are built with QString::fromUtf8, which copies them to
// the heap: a QStringLiteral would point into this library's constant data,
// which the program unmaps right after the call returns.

void showAuthor()
{
    // Widgets need a widget application; without one there is nothing to show on.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QString::fromUtf8("O autorovi"));
    box.setText(QString::fromUtf8("Zorvan píše tým Zorvanu."));
    box.setInformativeText(
        QString::fromUtf8("Malý tým vývojářů, kteří chtějí mít po ruce jednoduchý a rychlý "
                          "textový editor v češtině.\n\n"
                          "Připomínky, chyby a nápady posílejte na adresu:\n"
                          "zorvan@example.org"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

extern "C" __attribute__((visibility("default"))) void Autor()
{
    // Nothing may cross the C boundary into the caller.
    try {
        showAuthor();
    } catch (...) {
        qWarning("zorvanauth: the author window could not be shown");
    }
}
