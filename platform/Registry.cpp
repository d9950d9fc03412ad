#include "platform/Registry.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
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
    auto is = [&path](QStringView known) { return path.compare(known, Qt::CaseInsensitive) == 0; };
    m_openKey = Key::None;
    if (!m_values.keysExist)
        return false;
    if (is(u"Software\\Microsoft\\Windows\\CurrentVersion") ||
        is(u"Software\\Microsoft\\Windows NT\\CurrentVersion"))
        m_openKey = Key::CurrentVersion;
    else if (is(u"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes"))
        m_openKey = Key::FontSubstitutes;
    return m_openKey != Key::None;
}

QString Registry::readString(const QString& name) const
{
    switch (m_openKey) {
    case Key::None:
        return {};
    case Key::FontSubstitutes:
        return fontSubstitute(name);
    case Key::CurrentVersion:
        break;
    }
    if (name.compare(u"RegisteredOwner", Qt::CaseInsensitive) == 0)
        return m_values.registeredOwner;
    if (name.compare(u"RegisteredOrganization", Qt::CaseInsensitive) == 0)
        return m_values.registeredOrganization;
    return {};
}

namespace {

// The faces that Windows documents and forms name most, with their kind, so
// that the font system can be asked for a family of the same kind.
struct WindowsFace
{
    const char16_t* name;
    QFont::StyleHint kind;
};

constexpr WindowsFace windowsFaces[] = {
    {u"MS Sans Serif", QFont::SansSerif},
    {u"MS Shell Dlg", QFont::SansSerif},
    {u"MS Shell Dlg 2", QFont::SansSerif},
    {u"Microsoft Sans Serif", QFont::SansSerif},
    {u"Arial", QFont::SansSerif},
    {u"Tahoma", QFont::SansSerif},
    {u"Verdana", QFont::SansSerif},
    {u"Helv", QFont::SansSerif},
    {u"Small Fonts", QFont::SansSerif},
    {u"System", QFont::SansSerif},
    {u"MS Serif", QFont::Serif},
    {u"Times New Roman", QFont::Serif},
    {u"Tms Rmn", QFont::Serif},
    {u"Georgia", QFont::Serif},
    {u"Courier New", QFont::Monospace},
    {u"Courier", QFont::Monospace},
    {u"Fixedsys", QFont::Monospace},
    {u"Terminal", QFont::Monospace},
    {u"Lucida Console", QFont::Monospace},
    {u"Symbol", QFont::AnyStyle},
    {u"Wingdings", QFont::AnyStyle},
};

QString drawnFamily(const QString& face, QFont::StyleHint kind)
{
    QFont font(face);
    font.setStyleHint(kind);
    return QFontInfo(font).family();
}

} // namespace

QString Registry::fontSubstitute(const QString& face)
{
    if (face.isEmpty() || QFontDatabase::hasFamily(face))
        return {};
    for (const WindowsFace& known : windowsFaces) {
        if (face.compare(QStringView(known.name), Qt::CaseInsensitive) == 0)
            return drawnFamily(face, known.kind);
    }
    // Every name gets some family from the font system; a name it has a rule
    // for gets another one than a name that nobody can know.
    const QString drawn = drawnFamily(face, QFont::AnyStyle);
    const QString fallback = drawnFamily(QStringLiteral("Zorvan no such face"), QFont::AnyStyle);
    return drawn == fallback ? QString() : drawn;
}
