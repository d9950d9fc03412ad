#pragma once

// Splits RTF bytes into tokens, fed in chunks of any size: a token cut by a chunk boundary
// is completed by the next chunk. Memory use does not depend on the input: over-long
// control words and parameters are cut (32 letters, 10 digits), \bin data is handed on in
// pieces as it arrives.

#include <QByteArray>
#include <QtGlobal>

#include <string_view>

// The value of a hexadecimal digit of RTF data (\'hh, picture data); -1 for any other character.
int rtfHexDigit(char c);

class RtfTokenizer
{
public:
    class Handler
    {
    public:
        virtual ~Handler() = default;
        virtual void groupOpen() = 0;
        virtual void groupClose() = 0;
        // A control word; parameter is 0 without one, clamped to the int range.
        virtual void controlWord(std::string_view word, bool hasParameter, int parameter) = 0;
        // A control symbol other than \' (a backslash and one non-letter).
        virtual void controlSymbol(char symbol) = 0;
        virtual void hexByte(unsigned char byte) = 0;
        // A \' escape whose two characters are not both hexadecimal digits: it gives no byte,
        // but stands where one stood, as the character a \uN skips.
        virtual void badHexEscape() {}
        // Plain text bytes without CR and LF; one stretch may arrive in several calls.
        virtual void text(const char* data, qsizetype size) = 0;
        // \bin data, in as many pieces as the chunks cut it into.
        virtual void binary(const char* data, qsizetype size) = 0;
    };

    static constexpr int MaxWordLength = 32;
    static constexpr int MaxParameterDigits = 10;

    explicit RtfTokenizer(Handler& handler) : m_handler(handler) {}

    void feed(const char* data, qsizetype size);
    // Ends a control word that the last chunk left open.
    void finish();

    // Called from the handler's controlWord for \binN: the next count bytes are binary
    // data. A negative count counts as 0.
    void startBinary(qint64 count);

    // Called from the handler: from the current position on, every byte read is also kept,
    // after prefix, until takeCapture. Used to keep groups that the reader cannot show.
    void startCapture(QByteArrayView prefix);
    bool isCapturing() const { return m_capturing; }
    // Stops keeping bytes and returns them, up to and including the token just handled.
    QByteArray takeCapture();

private:
    enum class State { Text, Backslash, Word, Parameter, HexFirst, HexSecond, Binary };

    void endWord();

    Handler& m_handler;
    State m_state = State::Text;
    char m_word[MaxWordLength + 1] = {};
    int m_wordLength = 0;
    bool m_negative = false;
    int m_digits = 0;
    qint64 m_parameter = 0;
    int m_hexHigh = 0;
    qint64 m_binaryLeft = 0;

    // The chunk being read, so that captures can copy from it.
    const char* m_data = nullptr;
    qsizetype m_position = 0;
    bool m_capturing = false;
    qsizetype m_captureFrom = 0;
    QByteArray m_capture;
};
