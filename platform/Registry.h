#pragma once

// The read-only registry values the program reads, taken from their Linux
// counterparts. Only HKEY_LOCAL_MACHINE's "...\CurrentVersion" keys of Windows
// and Windows NT and the "FontSubstitutes" key below the latter exist; names
// are compared without regard to case, as in the registry. "RegisteredOwner"
// is the user's full name from the account database (the login name when that
// is empty), "RegisteredOrganization" the environment variable ORGANIZATION
// (empty when unset); other values of those keys are empty. A value of
// "FontSubstitutes" is named after a face that is not installed and holds the
// family the font system draws in its place (see fontSubstitute).

#include <QString>

class Registry
{
public:
    struct Values
    {
        QString registeredOwner;
        QString registeredOrganization;
        bool keysExist = true; // false: no key opens, as on a damaged registry
    };

    // The values of this machine and user.
    static Registry system();
    explicit Registry(const Values& values) : m_values(values) {}

    // Opens `key` (below HKEY_LOCAL_MACHINE, with or without a leading "\")
    // for reading; false when it does not exist.
    bool openKeyReadOnly(const QString& key);
    void closeKey() { m_openKey = Key::None; }
    // A string value of the open key; empty when missing or no key is open.
    QString readString(const QString& name) const;

    // The installed family the font system draws for `face` when `face` itself
    // is not installed: for the classic Windows faces (in their kind: sans
    // serif, serif, fixed pitch, symbol) and for the names that the font
    // system has a rule of its own for. Empty for an installed face and for a
    // name the font system knows nothing about. Needs a QGuiApplication.
    static QString fontSubstitute(const QString& face);

    // The full name of an account database entry: its GECOS field up to the
    // first comma, trimmed; the login name when that is empty.
    static QString ownerFromAccount(const QString& gecos, const QString& loginName);

private:
    enum class Key { None, CurrentVersion, FontSubstitutes };

    Values m_values;
    Key m_openKey = Key::None;
};
