// The shortcut plug-in: the program's settings dialog calls CreateShortcut
// with the executable's path and a location code (0 desktop, 3 Start menu,
// here the applications menu) and reads no result.

#include "plugins/zorvancsc/DesktopLauncher.h"

#include <QApplication>
#include <QMessageBox>
#include <QtGlobal>

namespace {

// Texts handed to Qt are built with QString::fromUtf8, which copies them to
// the heap: a QStringLiteral would point into this library's constant data,
// which the program unmaps right after the call returns.

// A message box needs a widget application on a real display; on the
// offscreen or minimal platforms (tests, headless runs) nobody could answer
// it, so the failure only goes to the log there.
bool canShowMessages()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void reportFailure(const QString& reason)
{
    qWarning("zorvancsc: %s", qPrintable(reason));
    if (!canShowMessages())
        return;
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8("Zástupce"),
                    QString::fromUtf8("Zástupce se nepodařilo vytvořit.\n\n%1").arg(reason), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void createShortcut(const char* executablePath, unsigned char locationCode)
{
    const std::optional<ShortcutLocation> location = DesktopLauncher::locationFromCode(locationCode);
    if (!location || executablePath == nullptr || *executablePath == '\0')
        return;
    const DesktopLauncher launcher(QString::fromLocal8Bit(executablePath));
    const QString failure = launcher.writeInto(DesktopLauncher::folderFor(*location));
    if (!failure.isEmpty())
        reportFailure(failure);
}

} // namespace

extern "C" __attribute__((visibility("default"))) void CreateShortcut(const char* executablePath,
                                                                      unsigned char location, int reserved)
{
    Q_UNUSED(reserved);
    // Nothing may cross the C boundary into the caller.
    try {
        createShortcut(executablePath, location);
    } catch (...) {
        qWarning("zorvancsc: the shortcut could not be created");
    }
}
