#include "office/OfficeRelationships.h"

#include "office/OfficeXml.h"

#include <QDir>
#include "office/XmlPartReader.h"

using namespace OfficeXml;

namespace {

// A target relative to the folder of its source part, or absolute from the package's root.
QString resolved(const QString& source, QStringView target)
{
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1).toString());
    const qsizetype slash = source.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : source.left(slash + 1);
    return QDir::cleanPath(folder + target.toString());
}

} // namespace

QString OfficeRelationships::relationshipsOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

bool OfficeRelationships::read(const QByteArray& part, const QString& source)
{
    XmlPartReader xml(part);
    if (enterRoot(xml)) {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"Relationship") {
                const QStringView target = attribute(xml, QLatin1StringView("Target"));
                const QString id = attribute(xml, QLatin1StringView("Id")).toString();
                if (attribute(xml, QLatin1StringView("TargetMode")) == u"External") {
                    m_external.insert(id, target.toString());
                } else {
                    const QString part = resolved(source, target);
                    m_parts.insert(id, part);
                    if (const QString type = attribute(xml, QLatin1StringView("Type")).toString();
                        !m_partsByType.contains(type))
                        m_partsByType.insert(type, part);
                }
            }
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = QStringLiteral("relationships of %1: %2").arg(source, xml.errorString());
        return false;
    }
    return true;
}

QString OfficeRelationships::partOfKind(QLatin1StringView kind) const
{
    for (auto it = m_partsByType.cbegin(); it != m_partsByType.cend(); ++it) {
        const QString& type = it.key();
        if (type.endsWith(kind) && type.size() > kind.size() &&
            type.at(type.size() - kind.size() - 1) == u'/')
            return it.value();
    }
    return {};
}
