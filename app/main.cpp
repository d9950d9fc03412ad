// Start-up: the splash window first, then the application's title and the
// main window, then the event loop until the main window closes.

#include "app/CzechQtTranslator.h"
#include "app/TMainform.h"
#include "app/Tlogo.h"
#include "app/ZvIcons.h"
#include "platform/QtDesktop.h"
#include "platform/ZvApplication.h"

#include <QLocale>
#include <QThread>

#include <chrono>
#include <optional>

namespace {

const char* const localeVariable = "LC_ALL";

// Qt's file dialog shows dates and sizes in the system locale, which Qt reads
// from the environment once, when it is first asked. The environment names
// Czech for that moment only (see main), so that programs started from here
// still get the user's own.
void restoreUserLocale(const std::optional<QByteArray>& userLocale)
{
    if (userLocale)
        qputenv(localeVariable, *userLocale);
    else
        qunsetenv(localeVariable);
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<QByteArray> userLocale =
        qEnvironmentVariableIsSet(localeVariable) ? std::optional(qgetenv(localeVariable)) : std::nullopt;
    qputenv(localeVariable, "cs_CZ.UTF-8");
    ZvApplication application(argc, argv);
    QLocale::system(); // read now, while the environment names Czech
    restoreUserLocale(userLocale);
    // Qt's own dialogs and buttons speak Czech like the rest of the program.
    CzechQtTranslator::installOn(application);
    ZvEnsureIconTheme();

    Tlogo logo;
    logo.waitUntilPainted(std::chrono::seconds(1));
    QThread::msleep(200);

    application.setApplicationName(QStringLiteral("Zorvan"));

    QtDesktop desktop;
    TMainform mainform(desktop, application.arguments().mid(1));
    mainform.show();
    logo.raise(); // the splash stays above the main window until its timer hides it
    // The keyboard goes to the main window at once, so that F10 and the menus'
    // Alt keys work without a click first.
    mainform.activateWindow();
    return application.exec();
}
