#pragma once

// Reads one XML part as QXmlStreamReader reads it, for the calls the office readers make, while
// a QXmlStreamReader of its own tokenizes the part on a second thread: a large document's
// XML is taken apart there as the caller builds the text from what is already taken apart.
// The tokens come in chunks through a short queue, so the part is never held twice over.
//
// The tokens are those of QXmlStreamReader, in its order, with its errors where it meets
// them. Names are local names; the name of an end element is not kept. A view of a name, an
// attribute or text holds until the caller reads on past the next thousands of tokens, so
// take a copy of what is kept longer. A part that declares a document type ends after that
// declaration with an error: no entity it declares is ever expanded.

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

#include <memory>
#include <optional>

class XmlPartReader
{
public:
    // Reads `part` whole.
    explicit XmlPartReader(const QByteArray& part);
    // Reads a part given in pieces, as it comes, through addData() up to finishData(): its
    // first tokens are read while the rest is still on its way.
    XmlPartReader();
    void addData(const QByteArray& data);
    void finishData();
    ~XmlPartReader();
    XmlPartReader(const XmlPartReader&) = delete;
    XmlPartReader& operator=(const XmlPartReader&) = delete;

    QXmlStreamReader::TokenType readNext();
    QXmlStreamReader::TokenType tokenType() const;
    bool readNextStartElement();
    void skipCurrentElement();
    // The text of the current element up to its end, child elements skipped.
    QString readElementText();
    bool atEnd() const;

    // The local name of the current start element.
    QStringView name() const;
    // The namespace of the current start element.
    QStringView namespaceUri() const;
    // The text of the current characters.
    QStringView text() const;
    // The attribute `localName` of the current start element, whatever its prefix; a null view
    // when it has none.
    QStringView attribute(QLatin1StringView localName) const;

    bool hasError() const { return tokenType() == QXmlStreamReader::Invalid; }
    QString errorString() const;
    // Stops reading: every later token is Invalid, with `message` as the error.
    void raiseError(const QString& message);

private:
    struct Token;
    struct Chunk;
    class Tokenizer;

    const Token& current() const;

    std::unique_ptr<Tokenizer> m_tokenizer;
    std::unique_ptr<Chunk> m_chunk;    // the chunk of the current token
    std::unique_ptr<Chunk> m_previous; // kept so that views taken just before it still hold
    qsizetype m_index = -1;            // of the current token in m_chunk; -1 before the first
    std::optional<QString> m_raisedError;
};
