// The plug-in libraries of the main window. Each is loaded by its absolute
// path in the program's "bin" folder only, never through the library search
// path, and released again after the call.

#include "app/TMainform.h"

#include "platform/Library.h"

#include <QCoreApplication>
#include <QFile>

template <typename Procedure, typename... Arguments>
void TMainform::runPlugin(const QString& libraryName, const char* exportName, const QString& libraryMissing,
                          const QString& procedureMissing, Arguments... arguments)
{
    Library library(ProgramFolder + QStringLiteral("bin/") + libraryName);
    if (!library.isLoaded()) {
        showMessage(libraryMissing);
        return;
    }
    auto procedure = library.function<Procedure>(exportName);
    if (!procedure) {
        showMessage(procedureMissing);
        return;
    }
    procedure(arguments...);
}

namespace {

const QString procedureMissing = QStringLiteral("Nebyla nalezena potřebná procedura");

} // namespace

void TMainform::RunShortcutPlugin(unsigned char location)
{
    using CreateShortcutProc = void (*)(const char* executablePath, unsigned char location, int reserved);
    const QByteArray executable = QFile::encodeName(QCoreApplication::applicationFilePath());
    runPlugin<CreateShortcutProc>(QStringLiteral("zorvancsc.dll"), "CreateShortcut",
                                  QStringLiteral("dynamická knihovna zorvancsc.dll nenalezena"),
                                  procedureMissing, executable.constData(), location, 0);
}

void TMainform::RunAuthorPlugin()
{
    runPlugin<void (*)()>(QStringLiteral("zorvanauth.dll"), "Autor",
                          QStringLiteral("Dynamická knihovna zorvanauth.dll nenalezena"), procedureMissing);
}

void TMainform::RunInfoPlugin()
{
    runPlugin<void (*)()>(QStringLiteral("zorvaninf.dll"), "Info",
                          QStringLiteral("dynamická knihovna zorvaninf.dll nenalezena"), procedureMissing);
}

void TMainform::RunHtmlPlugin(TZvRichEdit* target)
{
    runPlugin<void (*)(QWidget*)>(QStringLiteral("zorvanhtmls.dll"), "htmlsyntaxe",
                                  QStringLiteral("Dynamická knihovna zorvanhtmls.dll nenalezena"),
                                  procedureMissing, static_cast<QWidget*>(target));
}

void TMainform::Oprogramu1Click(QObject*)
{
    RunInfoPlugin();
}

void TMainform::Oautorovi1Click(QObject*)
{
    RunAuthorPlugin();
}
