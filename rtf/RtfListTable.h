#pragma once

// The list table and list overrides the writer writes. Lists that nest (a list paragraph
// followed by one of a deeper level, and the lists under those) become one nested list:
// one \list with a \listlevel for each level and one \ls, the nesting given by \ilvl alone,
// so that other word processors read the levels back as one list. Each QTextList keeps
// one level of it, as the reader makes them.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <array>

class QTextBlockFormat;
class QTextList;
class RtfOutput;

class RtfListTable
{
public:
    static constexpr int LevelCount = 9;

    // Whether the paragraph before a list paragraph was a list paragraph too.
    enum class Follows { OtherParagraph, ListParagraph };

    // A level of a nested list, as its first list paragraph gives it.
    struct Level
    {
        bool used = false;
        int numbering = 0;
        int start = 1;
        int style = 0;
        int leftIndent = 0;  // \li of the level's paragraphs
        int firstIndent = 0; // \fi of the level's paragraphs
        QString levelText;   // the label as read, its numbers as the characters 0..8; empty: from the style
        bool legal = false;  // the label's numbers all in arabic
        bool sameNumbering(const Level& other) const
        {
            return numbering == other.numbering && start == other.start && style == other.style &&
                   legal == other.legal;
        }
    };
    using Levels = std::array<Level, LevelCount>;

    // Registers a list paragraph; paragraphs come in document order.
    void addParagraph(const QTextList* list, const QTextBlockFormat& format, Follows follows);

    bool isEmpty() const { return m_nestedLists.isEmpty(); }
    // The \ls of the nested list the list belongs to, from 1.
    int overrideIndex(const QTextList* list) const { return m_nestedListOf.value(list, -1) + 1; }
    // The level of the nested list the list stands for, from 0.
    int levelOf(const QTextList* list) const { return m_levelOf.value(list); }

    // The nested lists, in the order of their first paragraphs (the \ls numbers 1, 2 ...).
    const QList<Levels>& nestedLists() const { return m_nestedLists; }
    // The levels with those no list uses filled in: numbered like the nearest used level
    // above them (else the first used one), from 1, indented a step further each.
    static Levels completed(const Levels& levels);

    // \listtable and \listoverridetable; nested lists of the same levels share one \list.
    void write(RtfOutput& out) const;

private:
    bool continuesCurrent(int level, const Level& definition) const;
    static QByteArray keyOf(const Levels& levels);
    static void writeLevel(RtfOutput& out, int level, const Level& definition);

    QList<Levels> m_nestedLists;
    QHash<const QTextList*, int> m_nestedListOf; // index in m_nestedLists of each list
    QHash<const QTextList*, int> m_levelOf;
    int m_current = -1; // the nested list of the last paragraph registered
};
