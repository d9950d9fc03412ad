#pragma once

// The heart of RtfReader: takes the tokens of RtfTokenizer, keeps the state of each group,
// reads the document's tables, and tells RtfDocumentBuilder what to build. Its control words
// are handled by kind, in files of their own:
//   RtfParser.cpp          groups, text, and the dispatch of control words by their group
//   RtfParserDocument.cpp  document settings, destinations, the font and colour tables
//   RtfParserFormat.cpp    character, paragraph and table words; content words
//   RtfParserLists.cpp     the list table, list overrides and the older \pn numbering
//   RtfParserPictures.cpp  pictures, objects and shapes
//   RtfParserFields.cpp    fields that the reader gives a result, footnotes and endnotes

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfKeyword.h"
#include "rtf/RtfPicture.h"
#include "rtf/RtfReaderState.h"
#include "rtf/RtfTokenizer.h"

#include <QStringDecoder>

#include <memory>
#include <optional>
#include <vector>

class RtfCodePage;
struct RtfField;

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

    // A font of the font table while its definition is read.
    struct PendingFont
    {
        int number = -1;
        int charset = 1;
        int codePage = -1; // -1: the code page of the charset
        QByteArray bytes;  // bytes of the name not yet decoded
        QString text;      // the name decoded so far
    };
    // A colour of the colour table while its components are read; -1: not given.
    struct PendingColor
    {
        int red = -1;
        int green = -1;
        int blue = -1;
    };
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
    // The field being read, at the depth of the group that holds it.
    struct Field
    {
        std::size_t depth = 0;
        QString instruction;
        qint64 contentBefore = 0; // of the builder when the field began
    };
    // The \object being read: the picture of its result and its size.
    struct ObjectState
    {
        QImage image;
        QSizeF imageSize;
        int width = 0;  // \objw, twips
        int height = 0; // \objh
    };
    // What a picture being read belongs to.
    enum class PictureOwner { Text, Object, Shape };
    // A shape ({\shp}) being read: its extent and what shows it.
    struct ShapeState
    {
        std::size_t depth = 0; // the depth of the shape's group
        int left = 0;          // \shpleft ... twips
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool hasText = false;     // its text box was read into the text
        bool pictureRead = false; // its picture ("pib") was read
        RtfPicture picture;
        QImage image;
        int picturesBefore = 0; // pictures of the document before the shape

        QSizeF extent() const;
    };
    // How bytes of text become characters: the code page of the current font, cached.
    struct TextDecoding
    {
        int ansiCodePage = 1252;
        const RtfCodePage* page = nullptr;
        std::optional<int> pageFont; // the font page belongs to; none when page must be looked up
        int leadByte = -1;           // the first byte of a double-byte character, or -1
        std::unique_ptr<QStringDecoder> utf8;
    };

    bool detect(const char* data, qsizetype size, qsizetype& consumed);

    // RtfTokenizer::Handler
    void groupOpen() override;
    void groupClose() override;
    void controlWord(std::string_view name, bool hasParameter, int parameter) override;
    void controlSymbol(char symbol) override;
    void hexByte(unsigned char byte) override;
    void text(const char* data, qsizetype size) override;
    void binary(const char* data, qsizetype size) override;

    GroupState& top() { return m_stack.back(); }
    void closeDestination(const GroupState& closed, const QByteArray& captured);

    // The handlers of the groups of control words.
    void applyDocumentWord(RtfDocumentWord word, int parameter);
    bool applyDestinationWord(RtfDestinationWord word);
    void applyFontWord(RtfFontWord word, int parameter);
    void applyColorWord(RtfColorWord word, int parameter);
    void applyCharacterWord(RtfCharacterWord word, int parameter, bool hasParameter);
    // \f or \af in text: sets the font of the kind of text the run's words chose.
    static void setRunFont(CharState& chars, int font);
    void applyParagraphWord(RtfParagraphWord word, int parameter, bool hasParameter);
    void applyTableWord(RtfTableWord word, int parameter);
    void applyContentWord(RtfContentWord word, int parameter, bool hasParameter);
    void applyListWord(RtfListWord word, int parameter, bool hasParameter);
    void applyPictureWord(RtfPictureWord word, int parameter);
    void applyShapeWord(RtfShapeWord word, int parameter);

    // Text.
    bool isTextDestination() const;
    const RtfCodePage& codePage();
    void decodeByte(unsigned char byte);
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

    // Fields: a field that showed nothing gets the result its kind makes.
    void finishField(const Field& field);
    QString symbolOf(const RtfField& field, CharState& chars);
    int fontNamed(const QString& name);
    int keepFieldInstruction(const QString& instruction);

    // Notes: a footnote or endnote becomes part of the reference mark before it.
    // Captures the current group's RTF from `opening` on, unless an outer group is
    // captured already; the group then owns the capture.
    void captureGroup(QByteArrayView opening);
    // A group kept as read and shown through its text: only in body text outside another
    // captured group, else skipped. True when it is read.
    bool startKeptBodyGroup(Destination destination, QByteArrayView opening);
    void startNote();
    void finishNote(const QByteArray& captured);

    // Old drawing objects: the text of a text box is read after the paragraph the object
    // is anchored in, by reading the object again once that paragraph has ended; its
    // paragraphs keep the object for a save.
    void startDrawing();
    void finishDrawing(const QByteArray& captured);
    void startDrawingText();
    void endParagraph(RtfDocumentBuilder::ParagraphEnd end);
    void replayDrawings();

    // Fonts and colours.
    void decodeFontName();
    void commitFont();
    void commitColor();

    // Lists.
    void closePnText();
    static QString levelTextOf(QByteArrayView captured);

    // Pictures and objects.
    void startPicture();
    void startObject();
    void finishPicture(const QByteArray& captured);
    void finishObject(const QByteArray& captured);
    void startShape();
    Destination shapeResultDestination() const;
    Destination shapeValueDestination() const;
    Destination nonShapePictureDestination();
    void finishShape(const QByteArray& captured);

    RtfTokenizer m_tokenizer{*this};
    // The tokenizer whose tokens are being handled: m_tokenizer, or the one that reads a
    // drawing object again for its text box. \bin and captures act on it: sent to
    // m_tokenizer, the drawing's binary data would be read as RTF, braces and all, and as
    // many bytes of the document after the paragraph skipped instead.
    RtfTokenizer* m_reading = &m_tokenizer;
    RtfDocumentTables m_tables;
    RtfDocumentBuilder m_builder;
    QString m_error;
    Detection m_detection = Detection::Undecided;
    QByteArray m_head;
    bool m_finished = false;
    bool m_documentClosed = false;
    bool m_truncated = false;

    std::vector<GroupState> m_stack{GroupState{}};
    std::size_t m_overflowDepth = 0;
    int m_skipCount = 0;
    int m_footnotes = 0; // footnote reference marks numbered so far
    int m_endnotes = 0;
    // The last automatic reference mark: the builder's content after it, and its length.
    struct AutomaticMark
    {
        qint64 end = -1;
        qsizetype length = 0;
    } m_automaticMark;
    QList<QByteArray> m_pendingDrawings; // read in the paragraph being read
    int m_replayedDrawing = -1;          // the drawing object whose text box is being read
    bool m_skipBinary = false;
    bool m_starred = false;

    TextDecoding m_decoding;
    PendingFont m_font;
    PendingColor m_color;
    bool m_colorTableRead = false;
    PendingList m_list;
    PendingOverride m_override;
    PnText m_pnText;
    std::vector<Field> m_fields;

    RtfPicture m_picture;
    PictureOwner m_pictureOwner = PictureOwner::Text;
    ObjectState m_object;
    std::vector<ShapeState> m_shapes;
    QByteArray m_propertyName; // of the shape property being read
    // The pictures of the document when the last {\*\shppict} began.
    std::optional<int> m_picturesBeforeShapePicture;
};
