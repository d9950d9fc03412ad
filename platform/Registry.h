#pragma once

// The read-only registry values the program shows, taken from their Linux
// counterparts. Only HKEY_LOCAL_MACHINE's "...\CurrentVersion" keys of Windows
// and Windows NT exist; names are compared without regard to case, as in the
// registry. "RegisteredOwner" is the user's full name from the account
// database (the login name when that is empty), "RegisteredOrganization" the
// environment variable ORGANIZATION (empty when unset); other values are empty.

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
    void closeKey() { m_keyOpen = false; }
    // A string value of the open key; empty when missing or no key is open.
    QString readString(const QString& name) const;

    // The full name of an account database entry: its GECOS field up to the
    // first comma, trimmed; the login name when that is empty.
    static QString ownerFromAccount(const QString& gecos, const QString& loginName);

private:
    Values m_values;
    bool m_keyOpen = false;
};
