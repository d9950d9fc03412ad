#include "office/DocxRelationships.h"

#include <QXmlStreamWriter>

QString DocxRelationships::add(const QString& type, const QString& target, Mode mode)
{
    const QString key = type + u'\n' + target + (mode == Mode::External ? u'E' : u'I');
    int index = m_indexOf.value(key, -1);
    if (index < 0) {
        index = int(m_relationships.size());
        m_relationships.append({type, target, mode});
        m_indexOf.insert(key, index);
    }
    return QStringLiteral("rId%1").arg(index + 1);
}

QByteArray DocxRelationships::xml() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("Relationships"));
    xml.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
    for (qsizetype index = 0; index < m_relationships.size(); ++index) {
        const Relationship& relationship = m_relationships.at(index);
        xml.writeEmptyElement(QStringLiteral("Relationship"));
        xml.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(index + 1));
        xml.writeAttribute(
            QStringLiteral("Type"),
            QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/") +
                relationship.type);
        xml.writeAttribute(QStringLiteral("Target"), relationship.target);
        if (relationship.mode == Mode::External)
            xml.writeAttribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
    }
    xml.writeEndDocument();
    return bytes;
}
