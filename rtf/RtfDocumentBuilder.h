#pragma once

// Builds the QTextDocument that the RTF reader reads: gathers text into runs of one
// character format, ends paragraphs with their block format, puts numbered paragraphs into
// QTextLists, fills tables cell by cell and inserts pictures. The reader tells it what the
// RTF says; the builder decides where in the document it goes.

#include "format/ListRuns.h"
#include "format/ParagraphValues.h"
#include "rtf/RtfReaderState.h"
#include "rtf/RtfScript.h"

#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>

class QTextTable;

// A picture or object as it is inserted: the image shown (null for a placeholder), its
// size, and what a save writes back.
struct RtfInsertedPicture
{
    QImage image;
    QSizeF size;
    QString keptKind;   // "png" or "jpeg" when data is the picture as read
    QByteArray data;    // the picture's bytes, with keptKind
    QByteArray keptRtf; // the group as read, for what cannot be shown
};

class RtfDocumentBuilder
{
public:
    enum class ParagraphEnd { Break, PageBreak };

    RtfDocumentBuilder(QTextCursor cursor, const RtfDocumentTables& tables);

    const QTextCursor& cursor() const { return m_cursor; }

    // Opens the edit block and removes the cursor's selection.
    void begin();
    // Opens the paragraph that the last \par left pending, unless it would be the
    // document's own final one, and closes the edit block.
    void finish();
    // Closes the edit block, so that what was inserted so far is shown, and opens another.
    void showSoFar()
    {
        m_cursor.endEditBlock();
        m_cursor.beginEditBlock();
    }

    // Text: characters in the format of chars, into the paragraph para describes. Each
    // character is shown in the font and size chars gives its script (Latin, East Asian or
    // complex); a run is split where its script changes to one that looks different.
    void appendLatin1(const char* data, qsizetype size, const CharState& chars, const ParaState& para)
    {
        if (!continuesLatinRun(chars)) {
            for (qsizetype index = 0; index < size; ++index)
                appendCharacter(static_cast<unsigned char>(data[index]), chars, para);
            return;
        }
        m_contentAdded += size;
        m_run.append(QLatin1StringView(data, size));
    }
    void appendCharacter(char16_t character, const CharState& chars, const ParaState& para);
    // The last count characters of the text gathered become the reference mark of a note
    // (replaced by mark when it is not empty); false when they are not all in the run being
    // gathered.
    bool markNote(qsizetype count, int note, const QString& mark, const ParaState& para);
    // Inserts the text gathered so far.
    void flushRun();

    // `mark`: the character format at the paragraph mark.
    void endParagraph(ParagraphEnd end, const ParaState& para, const CharState& mark);
    // The document's group ends: the last paragraph gets its format even without \par.
    void endText(const ParaState& para);

    // Tables.
    void clearCellBoundaries() { m_cellBoundaries.clear(); }
    void addCellBoundary(int twips);
    void endCell(const ParaState& para);
    void endRow();

    void insertPicture(const RtfInsertedPicture& picture, const CharState& chars, const ParaState& para);
    // The pictures and objects inserted so far.
    int picturesInserted() const { return m_picturesInserted; }
    // The characters and pictures added so far: whether something came between two calls.
    qint64 contentAdded() const { return m_contentAdded + m_picturesInserted; }

private:
    // What a paragraph's numbering comes to, from its list or its \pn numbering.
    struct Numbering
    {
        ListItemValues item;
        qint64 list = 0; // which paragraphs continue one list
        friend bool operator==(const Numbering&, const Numbering&) = default;
    };
    // A paragraph format and what it was made from.
    struct MadeBlockFormat
    {
        ParaState para;
        Numbering numbering;
        bool pageBreak = false;
        QTextBlockFormat format;
    };
    // The table being filled and the cell the text goes to.
    struct TableCursor
    {
        QTextTable* table = nullptr;
        int row = 0;
        int column = 0;
        bool cellEnded = false;
        bool rowEnded = false;
    };

    // The format of a run of chars in text of a script.
    struct RunKey
    {
        CharState chars;
        RtfScript script = RtfScript::Latin;
        friend bool operator==(const RunKey&, const RunKey&) = default;
        friend size_t qHash(const RunKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.chars, int(key.script));
        }
    };

    bool continuesLatinRun(const CharState& chars) const
    {
        return !m_run.isEmpty() && m_runScript == RtfScript::Latin && m_runHasStrong && m_runState == chars;
    }
    void startNewRun(const CharState& chars, const ParaState& para);
    QTextCharFormat charFormat(const CharState& state, RtfScript script);

    void beginContent(const ParaState& para);
    void openPendingParagraph(const QTextBlockFormat& format);
    void applyParagraphFormat(const ParaState& para);
    Numbering numbering(const ParaState& para) const;
    const QTextBlockFormat& blockFormat(const ParaState& para, const Numbering& numbering);
    QTextBlockFormat makeBlockFormat(const ParaState& para, const Numbering& numbering) const;
    void setParagraphFormat(const QTextBlockFormat& format);
    void leaveParagraph() { m_openedWith.reset(); }
    void startTable();
    void leaveTable();
    QString placeholderName();

    QTextCursor m_cursor;
    const RtfDocumentTables& m_tables;

    QString m_run;
    CharState m_runState;
    RtfScript m_runScript = RtfScript::Latin;
    bool m_runHasStrong = false;               // the run holds a character of its script
    RtfScript m_textScript = RtfScript::Latin; // of the paragraph's last strong character
    QHash<RunKey, QTextCharFormat> m_formats;
    // Consecutive paragraphs mostly share one format: the last one made is kept, and a
    // paragraph opened with it usually needs no second change when it ends.
    std::optional<MadeBlockFormat> m_lastBlockFormat;
    std::optional<QTextBlockFormat> m_openedWith; // of the paragraph being filled, if this opened it
    bool m_pendingBreak = false;
    bool m_pageBreakNext = false;
    bool m_paragraphHasContent = false;

    ListRuns m_lists;
    TableCursor m_table;
    QList<int> m_cellBoundaries;
    QString m_placeholder;
    int m_picturesInserted = 0;
    qint64 m_contentAdded = 0;
};
