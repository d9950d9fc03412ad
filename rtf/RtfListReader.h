#pragma once

// Reads the numbering of paragraphs: the list table ({\*\listtable}) and list overrides
// ({\*\listoverridetable}) into the document's tables, and the older \pn numbering of a
// paragraph, which the group's own paragraph state keeps.

#include "rtf/RtfKeyword.h"
#include "rtf/RtfReaderState.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

class RtfListReader
{
public:
    explicit RtfListReader(RtfDocumentTables& tables) : m_tables(tables) {}

    // The list table: a {\list} holds up to nine {\listlevel}s, each with its label as
    // {\leveltext}, whose group the parser keeps as read and hands to finishLevelText.
    void startList() { m_list = PendingList(); }
    void finishList();
    void startLevel();
    void finishLevelText(QByteArrayView captured);
    // The overrides: \ls numbers that paragraphs use for a \listid.
    void startOverride() { m_override = PendingOverride(); }
    void finishOverride();
    // A word of the list or override table; `destination` is the group it stands in.
    void applyTableWord(Destination destination, RtfListWord word, int parameter);

    // The older numbering: {\pn} sets a paragraph's numbering, {\pntxta} and {\pntxtb}
    // the text after and before its number.
    static void startPn(PnState& pn);
    static void applyPnWord(PnState& pn, RtfListWord word, int parameter, bool hasParameter);
    void startPnText(RtfDestinationWord word)
    {
        m_pnText = PnText{{}, word == RtfDestinationWord::PnTextBefore};
    }
    void appendPnText(char16_t character) { m_pnText.text += QChar(character); }
    void finishPnText(PnState& pn) const;

    // A \leveltext group as read: the label, its numbers as the characters 0..8.
    static QString levelTextOf(QByteArrayView captured);

private:
    struct PendingList
    {
        int id = 0;
        QList<ListLevelDefinition> levels;
    };
    struct PendingOverride
    {
        int list = 0;  // \listid
        int index = 0; // \ls
    };
    // The text of a \pntxta or \pntxtb group.
    struct PnText
    {
        QString text;
        bool before = false;
    };

    RtfDocumentTables& m_tables;
    PendingList m_list;
    PendingOverride m_override;
    PnText m_pnText;
};
