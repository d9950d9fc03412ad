#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int rtfHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void RtfTokenizer::feed(const char* data, qsizetype size)
{
    m_data = data;
    m_position = 0;
    m_captureFrom = 0;
    while (m_position < size) {
        const char c = data[m_position];
        switch (m_state) {
        case State::Text: {
            if (c == '{') {
                ++m_position;
                m_handler.groupOpen();
                break;
            }
            if (c == '}') {
                ++m_position;
                m_handler.groupClose();
                break;
            }
            if (c == '\\') {
                ++m_position;
                m_state = State::Backslash;
                break;
            }
            if (c == '\r' || c == '\n') {
                ++m_position;
                break;
            }
            qsizetype end = m_position + 1;
            while (end < size) {
                const char d = data[end];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                    break;
                ++end;
            }
            const qsizetype start = m_position;
            m_position = end;
            m_handler.text(data + start, end - start);
            break;
        }
        case State::Backslash:
            if (isLetter(c)) {
                m_word[0] = c;
                m_wordLength = 1;
                m_negative = false;
                m_digits = 0;
                m_parameter = 0;
                m_state = State::Word;
                ++m_position;
                break;
            }
            ++m_position;
            m_state = State::Text;
            if (c == '\'') {
                m_state = State::HexFirst;
            } else if (c == '\r' || c == '\n') {
                m_handler.controlWord("par", false, 0);
            } else {
                m_handler.controlSymbol(c);
            }
            break;
        case State::Word:
            if (isLetter(c)) {
                if (m_wordLength < MaxWordLength)
                    m_word[m_wordLength++] = c;
                ++m_position;
                break;
            }
            if (isDigit(c) || c == '-') {
                m_negative = c == '-';
                m_state = State::Parameter;
                if (m_negative)
                    ++m_position;
                break;
            }
            endWord();
            break;
        case State::Parameter:
            if (isDigit(c)) {
                if (m_digits < MaxParameterDigits)
                    m_parameter = m_parameter * 10 + (c - '0');
                ++m_digits;
                ++m_position;
                break;
            }
            endWord();
            break;
        // A \' escape takes the next two characters. When one of them is not a hexadecimal
        // digit the escape and the characters it took give nothing, as LibreOffice reads
        // "\'4z" and "\'g1"; a brace or a backslash still ends the bad escape and is read
        // as itself, so that groups and control words stay whole.
        case State::HexFirst:
        case State::HexSecond: {
            if (c == '{' || c == '}' || c == '\\') {
                m_state = State::Text;
                break;
            }
            ++m_position;
            const int digit = rtfHexDigit(c);
            if (m_state == State::HexFirst) {
                m_hexHigh = digit;
                m_state = State::HexSecond;
                break;
            }
            m_state = State::Text;
            if (m_hexHigh >= 0 && digit >= 0)
                m_handler.hexByte(static_cast<unsigned char>(m_hexHigh * 16 + digit));
            else
                m_handler.badHexEscape();
            break;
        }
        case State::Binary: {
            const qsizetype piece = qsizetype(std::min<qint64>(m_binaryLeft, size - m_position));
            const qsizetype start = m_position;
            m_position += piece;
            m_binaryLeft -= piece;
            if (m_binaryLeft == 0)
                m_state = State::Text;
            m_handler.binary(data + start, piece);
            break;
        }
        }
    }
    if (m_capturing)
        m_capture.append(data + m_captureFrom, size - m_captureFrom);
    m_data = nullptr;
    m_position = 0;
    m_captureFrom = 0;
}

void RtfTokenizer::endWord()
{
    // The delimiter is the byte at m_position: a space belongs to the control word, any
    // other byte is read again as the start of the next token.
    const bool hasParameter = m_state == State::Parameter && m_digits > 0;
    qint64 value = m_negative ? -m_parameter : m_parameter;
    value = std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_state = State::Text;
    const bool spaceDelimiter = m_data && m_data[m_position] == ' ';
    if (spaceDelimiter)
        ++m_position;
    m_handler.controlWord(std::string_view(m_word, m_wordLength), hasParameter,
                          hasParameter ? int(value) : 0);
}

void RtfTokenizer::finish()
{
    if (m_state == State::Word || m_state == State::Parameter)
        endWord();
    m_state = State::Text;
}

void RtfTokenizer::startBinary(qint64 count)
{
    if (count <= 0)
        return;
    m_binaryLeft = count;
    m_state = State::Binary;
}

void RtfTokenizer::startCapture(QByteArrayView prefix)
{
    m_capture = prefix.toByteArray();
    m_capturing = true;
    m_captureFrom = m_position;
}

QByteArray RtfTokenizer::takeCapture()
{
    if (m_capturing && m_data)
        m_capture.append(m_data + m_captureFrom, m_position - m_captureFrom);
    m_capturing = false;
    return std::exchange(m_capture, QByteArray());
}
