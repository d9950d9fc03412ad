#pragma once

// The relationships of a part of an office package (_rels/NAME.rels): which other parts and
// which outside targets (links) it refers to, by id and by kind.

#include <QHash>
#include <QString>

class OfficeRelationships
{
public:
    // Reads the relationships of the part `source` (such as "word/document.xml"); false
    // when they are not well formed (errorString says why).
    bool read(const QByteArray& part, const QString& source);
    QString errorString() const { return m_error; }

    // The part path of the first relationship whose type ends with `/kind`; empty if none.
    QString partOfKind(QLatin1StringView kind) const;
    // The part path of the relationship `id` inside the package, such as a picture's.
    QString part(const QString& id) const { return m_parts.value(id); }
    // The target of the relationship `id` that leads outside the package, such as a link.
    QString externalTarget(const QString& id) const { return m_external.value(id); }

    // Where the relationships of `part` are kept: "word/_rels/document.xml.rels".
    static QString relationshipsOf(const QString& part);

private:
    QHash<QString, QString> m_partsByType; // type -> part path, the first of each type
    QHash<QString, QString> m_parts;       // id -> part path
    QHash<QString, QString> m_external;    // id -> target
    QString m_error;
};
