#pragma once

// A freedesktop launcher (a ".desktop" file) that starts Zorvan: the Linux
// counterpart of a Windows shortcut on the desktop or in the Start menu.

#include <QString>

#include <optional>

// The places a launcher can be put, by the location codes the program passes.
enum class ShortcutLocation : unsigned char {
    Desktop = 0,
    ApplicationsMenu = 3,
};

class DesktopLauncher
{
public:
    // The launcher's file name, the same in every folder, so a second call
    // replaces the first launcher instead of adding another.
    static constexpr const char* FileName = "zorvan.desktop";

    explicit DesktopLauncher(const QString& executablePath);

    // The location for a code passed by the program; none for codes it does not know.
    static std::optional<ShortcutLocation> locationFromCode(unsigned char code);

    // The folder that holds launchers for `location`: the user's desktop folder
    // (as `xdg-user-dir DESKTOP` answers, else $HOME/Desktop) or the user's
    // applications folder ($XDG_DATA_HOME/applications, else
    // $HOME/.local/share/applications).
    static QString folderFor(ShortcutLocation location);

    // `argument` as one quoted argument of an Exec key, with the quoting and
    // string escapes of freedesktop's Desktop Entry format applied.
    static QString quotedExecArgument(const QString& argument);

    // A value of type string with its escapes applied (backslash, new line, tab, CR).
    static QString escapedString(const QString& value);

    // The whole file.
    QString contents() const;

    // Writes the launcher into `folder` (created when missing) through a
    // temporary file that is renamed over the old launcher, and marks it
    // executable, as desktops require of launchers. Returns a Czech description
    // of what failed, empty on success.
    QString writeInto(const QString& folder) const;

private:
    QString m_executablePath;
};
