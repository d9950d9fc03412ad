// The information plug-in: "O programu" in the program's Help menu calls Info,
// which shows a modal window about the program and returns when the user
// closes it (OK, Escape or the window's close button).

#include <QApplication>
#include <QMessageBox>
#include <QtGlobal>

namespace {

// Texts handed to Qt are built with QString::fromUtf8, which copies them to
// the heap: a QStringLiteral would point into this library's constant data,
// which the program unmaps right after the call returns.

void showInfo()
{
    // Widgets need a widget application; without one there is nothing to show on.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QString::fromUtf8("O programu"));
    box.setText(QString::fromUtf8("Zorvan, verze %1").arg(QString::fromUtf8(ZORVAN_VERSION)));
    // The Qt version the plug-in was built with and the one it runs on can
    // differ after a library update; both help when a fault is reported.
    box.setInformativeText(QString::fromUtf8("Malý textový editor RTF pro psaní a úpravu dokumentů, "
                                             "které lze uložit jako RTF nebo jako prostý text.\n\n"
                                             "Sestaveno s knihovnou Qt %1, spuštěno s Qt %2.\n\n"
                                             "Licence: svobodný software, šířený bez jakékoli záruky.\n"
                                             "© tým Zorvanu")
                               .arg(QString::fromUtf8(QT_VERSION_STR), QString::fromLatin1(qVersion())));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

extern "C" __attribute__((visibility("default"))) void Info()
{
    // Nothing may cross the C boundary into the caller.
    try {
        showInfo();
    } catch (...) {
        qWarning("zorvaninf: the information window could not be shown");
    }
}
