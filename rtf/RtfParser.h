#pragma once

// The heart of RtfReader: takes the tokens of RtfTokenizer, keeps the state of each group,
// and hands each control word, by its group, to what reads it: the character and paragraph
// words change the group's state (RtfFormatWords); the font and colour tables, lists,
// fields, notes and pictures have readers of their own; the text goes through
// RtfTextDecoder to RtfDocumentBuilder, which builds the document. Its files:
//   RtfParser.cpp              detection, groups, text and where its characters go
//   RtfParserWords.cpp         control words, handed on by their group
//   RtfParserDestinations.cpp  the words that start destinations, and the groups kept as
//                              read: notes and the text boxes of old drawing objects

#include "rtf/RtfColorTableReader.h"
#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfFieldReader.h"
#include "rtf/RtfFontTableReader.h"
#include "rtf/RtfKeyword.h"
#include "rtf/RtfListReader.h"
#include "rtf/RtfNoteReader.h"
#include "rtf/RtfPictureReader.h"
#include "rtf/RtfReaderState.h"
#include "rtf/RtfTextDecoder.h"
#include "rtf/RtfTokenizer.h"

#include <vector>

class RtfParser final : public RtfTokenizer::Handler
{
public:
    explicit RtfParser(QTextCursor cursor);

    bool feed(const char* data, qsizetype size);
    bool finish();
    // Finishes a read that was not finished.
    void abandon();
    // Ends the edit block of the text read so far and opens another.
    void showSoFar()
    {
        if (m_detection == Detection::Rtf && !m_finished)
            m_builder.showSoFar();
    }

    const QString& errorString() const { return m_error; }
    const QTextCursor& cursor() const { return m_builder.cursor(); }

private:
    enum class Detection { Undecided, Rtf, NotRtf };

    bool detect(const char* data, qsizetype size, qsizetype& consumed);

    // RtfTokenizer::Handler
    void groupOpen() override;
    void groupClose() override;
    void controlWord(std::string_view name, bool hasParameter, int parameter) override;
    void controlSymbol(char symbol) override;
    void hexByte(unsigned char byte) override;
    void badHexEscape() override;
    void text(const char* data, qsizetype size) override;
    void binary(const char* data, qsizetype size) override;

    GroupState& top() { return m_stack.back(); }
    void closeDestination(const GroupState& closed, const QByteArray& captured);

    // The handlers of the groups of control words.
    void applyDocumentWord(RtfDocumentWord word, int parameter);
    bool applyDestinationWord(RtfDestinationWord word);
    void applyFontWord(RtfFontWord word, int parameter);
    void applyTableWord(RtfTableWord word, int parameter);
    void applyContentWord(RtfContentWord word, int parameter, bool hasParameter);
    void applyUnicodeWord(int parameter);
    void applyListWord(RtfListWord word, int parameter, bool hasParameter);

    // Text.
    bool isTextDestination() const;
    const RtfCodePage& codePage() { return m_decoder.codePage(top().chars.codePageFont); }
    void decodeByte(unsigned char byte)
    {
        m_decoder.decode(byte, codePage(), [this](char16_t character) { emitCharacter(character); });
    }
    void emitCharacter(char16_t character);
    void appendCharacter(char16_t character)
    {
        m_builder.appendCharacter(character, top().chars, top().para);
    }
    void appendText(const QString& text)
    {
        for (QChar character : text)
            appendCharacter(character.unicode());
    }

    // Groups kept as read. Captures the current group's RTF from `opening` on, unless an
    // outer group is captured already; the group then owns the capture.
    void captureGroup(QByteArrayView opening);
    // A group kept as read and shown through its text: only in body text outside another
    // captured group, else skipped. True when it is read.
    bool startKeptBodyGroup(Destination destination, QByteArrayView opening);
    void startPicture();
    void startObject();
    void startShape();
    void startLevelText();

    // Old drawing objects: the text of a text box is read after the paragraph the object
    // is anchored in, by reading the object again once that paragraph has ended; its
    // paragraphs keep the object for a save.
    void startDrawing();
    void finishDrawing(const QByteArray& captured);
    void startDrawingText();
    void endParagraph(RtfDocumentBuilder::ParagraphEnd end);
    void replayDrawings();

    RtfTokenizer m_tokenizer{*this};
    // The tokenizer whose tokens are being handled: m_tokenizer, or the one that reads a
    // drawing object again for its text box. \bin and captures act on it: sent to
    // m_tokenizer, the drawing's binary data would be read as RTF, braces and all, and as
    // many bytes of the document after the paragraph skipped instead.
    RtfTokenizer* m_reading = &m_tokenizer;
    RtfDocumentTables m_tables;
    RtfDocumentBuilder m_builder;
    RtfTextDecoder m_decoder{m_tables};
    RtfFontTableReader m_fonts{m_tables, m_decoder};
    RtfColorTableReader m_colors{m_tables.colors};
    RtfListReader m_lists{m_tables};
    RtfFieldReader m_fields{m_tables, m_decoder, m_builder};
    RtfNoteReader m_notes{m_tables, m_decoder, m_builder};
    RtfPictureReader m_pictures{m_builder};
    QString m_error;
    Detection m_detection = Detection::Undecided;
    QByteArray m_head;
    bool m_finished = false;
    bool m_documentClosed = false;
    // The file ended inside groups: what they kept is dropped, as it would not be valid RTF.
    bool m_truncated = false;

    std::vector<GroupState> m_stack{GroupState{}};
    std::size_t m_overflowDepth = 0;
    int m_skipCount = 0;
    QList<QByteArray> m_pendingDrawings; // read in the paragraph being read
    int m_replayedDrawing = -1;          // the drawing object whose text box is being read
    bool m_skipBinary = false;
    bool m_starred = false;
};
