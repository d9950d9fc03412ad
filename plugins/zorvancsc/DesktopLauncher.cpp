#include "plugins/zorvancsc/DesktopLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QDir::homePath() : home;
}

// The desktop folder as the user's XDG settings name it, or an empty string
// when the helper is missing, fails or answers nonsense.
QString desktopFolderFromXdgUserDir()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir"));
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, {QStringLiteral("DESKTOP")}, QIODevice::ReadOnly);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    const QString answer = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    if (answer.isEmpty() || !QDir::isAbsolutePath(answer))
        return {};
    return answer;
}

// GNOME's desktop starts a launcher only when it is marked trusted as well as
// executable. Other desktops do not know the attribute, and without the GIO
// metadata service it cannot be set; both are fine, so failures are ignored.
void markTrusted(const QString& path)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (program.isEmpty())
        return;
    QProcess process;
    process.start(program,
                  {QStringLiteral("set"), QStringLiteral("-t"), QStringLiteral("string"), path,
                   QStringLiteral("metadata::trusted"), QStringLiteral("true")},
                  QIODevice::ReadOnly);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

} // namespace

// A launcher needs an absolute path: it is started from anywhere.
DesktopLauncher::DesktopLauncher(const QString& executablePath)
    : m_executablePath(QFileInfo(executablePath).absoluteFilePath())
{
}

std::optional<ShortcutLocation> DesktopLauncher::locationFromCode(unsigned char code)
{
    switch (code) {
    case static_cast<unsigned char>(ShortcutLocation::Desktop):
        return ShortcutLocation::Desktop;
    case static_cast<unsigned char>(ShortcutLocation::ApplicationsMenu):
        return ShortcutLocation::ApplicationsMenu;
    }
    return std::nullopt;
}

QString DesktopLauncher::folderFor(ShortcutLocation location)
{
    switch (location) {
    case ShortcutLocation::Desktop: {
        const QString desktop = desktopFolderFromXdgUserDir();
        return desktop.isEmpty() ? homeFolder() + QStringLiteral("/Desktop") : desktop;
    }
    case ShortcutLocation::ApplicationsMenu: {
        // The XDG Base Directory rules ignore a relative XDG_DATA_HOME.
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        if (!dataHome.isEmpty() && QDir::isAbsolutePath(dataHome))
            return dataHome + QStringLiteral("/applications");
        return homeFolder() + QStringLiteral("/.local/share/applications");
    }
    }
    return {};
}

QString DesktopLauncher::quotedExecArgument(const QString& argument)
{
    // Inside double quotes the four characters below need a backslash; a
    // literal percent sign is doubled so it is not read as a field code. The
    // string escapes are applied last, because a reader undoes them first.
    QString quoted;
    quoted.reserve(argument.size() + 8);
    quoted += u'"';
    for (const QChar character : argument) {
        if (character == u'"' || character == u'`' || character == u'$' || character == u'\\')
            quoted += u'\\';
        if (character == u'%')
            quoted += u'%';
        quoted += character;
    }
    quoted += u'"';
    return escapedString(quoted);
}

QString DesktopLauncher::escapedString(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar character : value) {
        switch (character.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
}

QString DesktopLauncher::contents() const
{
    const QString folder = QFileInfo(m_executablePath).absolutePath();
    // %f: a file opened with the launcher (or dropped on it) becomes the
    // program's one command-line argument, which it opens as the document.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=Zorvan\n"
                          "GenericName=Textový editor\n"
                          "Comment=Malý textový editor RTF\n") +
           QStringLiteral("Exec=") + quotedExecArgument(m_executablePath) + QStringLiteral(" %f\n") +
           QStringLiteral("TryExec=") + escapedString(m_executablePath) + u'\n' + QStringLiteral("Path=") +
           escapedString(folder) + u'\n' +
           QStringLiteral("Icon=accessories-text-editor\n"
                          "Terminal=false\n"
                          "Categories=Office;WordProcessor;\n"
                          "MimeType=application/rtf;text/rtf;text/plain;\n");
}

QString DesktopLauncher::writeInto(const QString& folder) const
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("Nelze vytvořit složku %1.").arg(folder);

    const QString path = QDir(folder).filePath(QString::fromLatin1(FileName));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Nelze zapsat soubor %1: %2").arg(path, file.errorString());
    const QByteArray bytes = contents().toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return QStringLiteral("Nelze zapsat soubor %1: %2").arg(path, file.errorString());
    }
    if (!file.commit())
        return QStringLiteral("Nelze zapsat soubor %1: %2").arg(path, file.errorString());

    const QFileDevice::Permissions executable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    if (!QFile::setPermissions(path, executable))
        return QStringLiteral("Nelze nastavit spustitelnost souboru %1.").arg(path);
    markTrusted(path);
    return {};
}
