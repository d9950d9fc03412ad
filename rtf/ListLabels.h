#pragma once

// The label of each list paragraph, the one the screen, the printed page, plain
// text and RTF all show: the item's number in its list's numbering kind, counted
// from the list's start, with the paragraph's numbering style around it ("3.",
// "c)", "(iv)"); a level text kept from reading, which names the numbers of the
// levels above ("2.1.", all in arabic for a legal level); or a bullet, which
// changes with the level (•, ◦, ▪) as word processors draw them.

#include <QHash>
#include <QString>

#include <array>

class QTextBlock;
class QTextList;

class ListLabels
{
public:
    static constexpr int LevelCount = 9;

    // The label of `block`; empty outside lists and for a style that shows no
    // number. Asked for every list paragraph of a stretch in document order,
    // each answer costs the same; a label that names a level above not met yet
    // looks back for it once, and one asked out of order looks through its list.
    QString labelOf(const QTextBlock& block);

    // The bullet of a list level (0-based): •, ◦, ▪, then again.
    static QChar bulletOf(int level);
    // The level of a list paragraph, 0-based, within 0 .. LevelCount - 1.
    static int levelOf(const QTextBlock& block);

private:
    struct LevelNumber
    {
        int numbering = 0; // PFN_
        int value = 1;
    };

    int itemIndexOf(const QTextList* list, const QTextBlock& block);
    void lookBackFrom(const QTextBlock& block);

    QHash<const QTextList*, int> m_lastItems;        // the index of each list's last item asked for
    std::array<LevelNumber, LevelCount> m_numbers{}; // the last number of each level
    std::array<bool, LevelCount> m_known{};          // levels whose number is known
    bool m_lookedBack = false;
};
