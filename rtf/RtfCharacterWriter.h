#pragma once

// Writes the character formatting of the runs of text: \plain followed by the words of
// a run's attributes, only where a run's attributes differ from the last ones written.

#include "rtf/RtfScriptPosition.h"

#include <QStringView>

class QTextCharFormat;
class RtfOutput;
class RtfWriterTables;

class RtfCharacterWriter
{
public:
    // The character attributes as written.
    struct Chars
    {
        int font = 0;
        int size = 24; // half points
        int foreground = 0;
        int background = 0;
        int up = 0; // half points, positive raises
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool protect = false;
        bool hidden = false;
        bool noProof = false;
        int language = 0; // 0: the default language (\deflang)
        RtfScriptPosition script = RtfScriptPosition::Normal;
        // The run holds East Asian characters in an East Asian font, or complex-script
        // characters: readers choose the font and size of those by the script, so they are
        // written for it as well. (CJK text in a font of another character set was never
        // given an East Asian font; readers show it in their own.)
        bool eastAsian = false;
        bool complex = false;
        bool complexFont = false; // the font is one of a complex-script character set
        friend bool operator==(const Chars&, const Chars&) = default;
    };

    // defaultSize: twips, for formats that set no size.
    RtfCharacterWriter(RtfWriterTables& tables, RtfOutput& out, int defaultSize);

    // The attributes of a format, with its font and colours added to the tables.
    Chars charsOf(const QTextCharFormat& format);
    // chars for a run of text in a font of charset: with the scripts it holds.
    static Chars forText(Chars chars, int charset, QStringView text);

    // Writes chars unless they are the ones last written in this paragraph.
    void write(const Chars& chars);
    // A paragraph starts: its first run writes its attributes whatever came before.
    void startParagraph() { m_written = false; }
    // Ends a sub- or superscript run still open at the paragraph's end.
    void endParagraph();

    // A link's field keeps the attributes in its own group: what was written before it
    // holds again after it.
    void enterGroup();
    void leaveGroup();

private:
    RtfWriterTables& m_tables;
    RtfOutput& m_out;
    int m_defaultSize = 240;
    Chars m_chars;
    bool m_written = false;
    Chars m_charsOutside;
    bool m_writtenOutside = false;
};
