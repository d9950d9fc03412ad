#pragma once

// The relationships of one part of a Word document as it is written (word/_rels/*.rels): the
// parts and addresses the part refers to, each by its id (rId1, rId2 ...).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

class DocxRelationships
{
public:
    // The id of the relationship of kind `type` (the last word of its type: "styles", "image",
    // "hyperlink" ...) to `target`, added if new. An external target is an address outside the
    // package.
    enum class Mode { Internal, External };
    QString add(const QString& type, const QString& target, Mode mode = Mode::Internal);

    bool isEmpty() const { return m_relationships.isEmpty(); }
    QByteArray xml() const;

private:
    struct Relationship
    {
        QString type;
        QString target;
        Mode mode;
    };
    QList<Relationship> m_relationships;
    QHash<QString, int> m_indexOf; // by type and target
};
