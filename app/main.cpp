// Start-up: the splash window first, then the application's title and the
// main window, then the event loop until the main window closes.

#include "app/TMainform.h"
#include "app/Tlogo.h"
#include "app/ZvIcons.h"
#include "platform/QtDesktop.h"
#include "platform/ZvApplication.h"

#include <QLibraryInfo>
#include <QThread>
#include <QTranslator>

int main(int argc, char** argv)
{
    ZvApplication application(argc, argv);
    // Qt's own dialogs and buttons speak Czech like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtTranslator);
    ZvEnsureIconTheme();

    Tlogo logo;
    application.processEvents();
    QThread::msleep(200);

    application.setApplicationName(QStringLiteral("Zorvan"));

    QtDesktop desktop;
    TMainform mainform(desktop, application.arguments().mid(1));
    mainform.show();
    logo.raise(); // the splash stays above the main window until its timer hides it
    return application.exec();
}
