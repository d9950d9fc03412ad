#include "platform/Registry.h"

#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

Registry Registry::system()
{
    Values values;
    if (const passwd* account = getpwuid(getuid())) {
        values.registeredOwner = ownerFromAccount(QString::fromLocal8Bit(account->pw_gecos),
                                                  QString::fromLocal8Bit(account->pw_name));
    } else {
        values.registeredOwner = qEnvironmentVariable("USER");
    }
    values.registeredOrganization = qEnvironmentVariable("ORGANIZATION");
    return Registry(values);
}

QString Registry::ownerFromAccount(const QString& gecos, const QString& loginName)
{
    const QString fullName = gecos.section(u',', 0, 0).trimmed();
    return fullName.isEmpty() ? loginName : fullName;
}

bool Registry::openKeyReadOnly(const QString& key)
{
    QString path = key;
    if (path.startsWith(u'\\'))
        path.remove(0, 1);
    const bool known =
        path.compare(u"Software\\Microsoft\\Windows\\CurrentVersion", Qt::CaseInsensitive) == 0 ||
        path.compare(u"Software\\Microsoft\\Windows NT\\CurrentVersion", Qt::CaseInsensitive) == 0;
    m_keyOpen = known && m_values.keysExist;
    return m_keyOpen;
}

QString Registry::readString(const QString& name) const
{
    if (!m_keyOpen)
        return {};
    if (name.compare(u"RegisteredOwner", Qt::CaseInsensitive) == 0)
        return m_values.registeredOwner;
    if (name.compare(u"RegisteredOrganization", Qt::CaseInsensitive) == 0)
        return m_values.registeredOrganization;
    return {};
}
