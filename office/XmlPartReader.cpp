#include "office/XmlPartReader.h"

#include <QXmlStreamAttributes>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// A chunk is handed over once it holds this many tokens or characters: large enough that
// handing over costs nothing next to the tokens, small enough that building starts at once.
constexpr size_t ChunkTokens = 8192;
constexpr qsizetype ChunkCharacters = 128 * 1024;
// Chunks taken apart ahead of the caller, at most.
constexpr size_t ChunksAhead = 8;

const QString DocumentTypeError = QStringLiteral("The part declares a document type");

} // namespace

// A token: its kind and where its name, its text or its attributes are in its chunk.
struct XmlPartReader::Token
{
    QXmlStreamReader::TokenType type = QXmlStreamReader::NoToken;
    qint32 name = 0; // the local name of a start element: offset in the characters
    qint32 nameSize = 0;
    qint32 namespaceUri = 0; // of a start element: offset in the characters
    qint32 namespaceSize = 0;
    qint32 first = 0; // characters: offset of the text; a start element: its first attribute
    qint32 size = 0;  // characters: length of the text; a start element: its attributes
};

struct XmlPartReader::Chunk
{
    struct Attribute
    {
        qint32 name;
        qint32 nameSize;
        qint32 value;
        qint32 valueSize;
    };

    std::vector<Token> tokens;
    std::vector<Attribute> attributes;
    // The names, values and texts, one after another; only the first `used` are kept. Filled
    // by copying into room that grows by doubling: appending piece by piece to a QString costs
    // more than the copying.
    std::vector<char16_t> characters;
    qsizetype used = 0;
    QString error;           // of the last token when it is Invalid
    qint32 namespaceUri = 0; // the last namespace kept; none yet when its size is negative
    qint32 namespaceSize = -1;

    Chunk()
    {
        // A small part needs little room; a large one's chunks grow once and are used again.
        tokens.reserve(256);
        attributes.reserve(256);
        characters.resize(4096);
    }
    // Empties the chunk for new tokens, keeping its room.
    void clear()
    {
        tokens.clear();
        attributes.clear();
        used = 0;
        error.clear();
        namespaceSize = -1;
    }

    QStringView view(qint32 offset, qint32 size) const
    {
        return QStringView(characters.data() + offset, size);
    }
    // Keeps `text` in the characters; its offset.
    qint32 keep(QStringView text)
    {
        const qint32 offset = qint32(used);
        if (used + text.size() > qsizetype(characters.size()))
            characters.resize(size_t(std::max(2 * used, used + text.size())));
        std::copy(text.utf16(), text.utf16() + text.size(), characters.data() + used);
        used += text.size();
        return offset;
    }
};

// Takes the part apart on a thread of its own, a chunk of tokens at a time.
class XmlPartReader::Tokenizer
{
public:
    Tokenizer() : m_thread([this] { tokenize(); }) {}
    ~Tokenizer()
    {
        stop();
        m_thread.join();
    }

    // The next chunk, waiting for it; nothing once the last was taken.
    std::unique_ptr<Chunk> take()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_finished; });
        if (m_ready.empty())
            return nullptr;
        std::unique_ptr<Chunk> chunk = std::move(m_ready.front());
        m_ready.pop_front();
        lock.unlock();
        m_changed.notify_all();
        return chunk;
    }

    // Gives back a chunk that was read, to be filled again: new chunks would each cost the
    // system fresh pages.
    void recycle(std::unique_ptr<Chunk> chunk)
    {
        if (!chunk)
            return;
        const std::lock_guard lock(m_mutex);
        m_spare.push_back(std::move(chunk));
    }

    // The part's next bytes.
    void addData(const QByteArray& data)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_input.push_back(data);
        }
        m_changed.notify_all();
    }

    // The part has no more bytes.
    void finishData()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_inputFinished = true;
        }
        m_changed.notify_all();
    }

    // No more tokens are wanted.
    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_changed.notify_all();
    }

private:
    void tokenize()
    {
        QXmlStreamReader xml;
        std::unique_ptr<Chunk> chunk = emptyChunk();
        for (bool last = false; !last;) {
            Token token;
            token.type = xml.readNext();
            if (token.type == QXmlStreamReader::Invalid &&
                xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                // The end of the bytes so far, not of the part: the reader goes on once given more.
                if (std::optional<QByteArray> data = nextData()) {
                    xml.addData(*data);
                    continue;
                }
            }
            switch (token.type) {
            case QXmlStreamReader::StartElement: {
                token.nameSize = qint32(xml.name().size());
                token.name = chunk->keep(xml.name());
                keepNamespace(*chunk, token, xml.namespaceUri());
                const QXmlStreamAttributes attributes = xml.attributes();
                token.first = qint32(chunk->attributes.size());
                token.size = qint32(attributes.size());
                for (const QXmlStreamAttribute& attribute : attributes) {
                    const QStringView name = attribute.name();
                    const QStringView value = attribute.value();
                    chunk->attributes.push_back(
                        {chunk->keep(name), qint32(name.size()), chunk->keep(value), qint32(value.size())});
                }
                break;
            }
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                token.size = qint32(xml.text().size());
                token.first = chunk->keep(xml.text());
                break;
            case QXmlStreamReader::Invalid:
                chunk->error = xml.errorString();
                last = true;
                break;
            case QXmlStreamReader::EndDocument:
                last = true;
                break;
            default:
                break;
            }
            chunk->tokens.push_back(token);
            if (token.type == QXmlStreamReader::DTD) {
                // Nothing it declares is read: the part ends here.
                chunk->tokens.push_back({QXmlStreamReader::Invalid});
                chunk->error = DocumentTypeError;
                last = true;
            }
            if (last || chunk->tokens.size() >= ChunkTokens || chunk->used >= ChunkCharacters) {
                if (!handOver(std::move(chunk)))
                    break;
                chunk = emptyChunk();
            }
        }
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_changed.notify_all();
    }

    // Elements mostly share the namespace of the one before: it is kept once a chunk.
    void keepNamespace(Chunk& chunk, Token& token, QStringView namespaceUri)
    {
        if (chunk.namespaceSize < 0 || chunk.view(chunk.namespaceUri, chunk.namespaceSize) != namespaceUri) {
            chunk.namespaceSize = qint32(namespaceUri.size());
            chunk.namespaceUri = chunk.keep(namespaceUri);
        }
        token.namespaceUri = chunk.namespaceUri;
        token.namespaceSize = chunk.namespaceSize;
    }

    // The part's next bytes, waiting for them; nothing once it has no more or no more are wanted.
    std::optional<QByteArray> nextData()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_input.empty() || m_inputFinished || m_stopped; });
        if (m_stopped || m_input.empty())
            return std::nullopt;
        QByteArray data = std::move(m_input.front());
        m_input.pop_front();
        return data;
    }

    std::unique_ptr<Chunk> emptyChunk()
    {
        std::unique_lock lock(m_mutex);
        if (m_spare.empty())
            return std::make_unique<Chunk>();
        std::unique_ptr<Chunk> chunk = std::move(m_spare.back());
        m_spare.pop_back();
        lock.unlock();
        chunk->clear();
        return chunk;
    }

    // False when no more tokens are wanted.
    bool handOver(std::unique_ptr<Chunk> chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stopped || m_ready.size() < ChunksAhead; });
        if (m_stopped)
            return false;
        m_ready.push_back(std::move(chunk));
        lock.unlock();
        m_changed.notify_all();
        return true;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_input;
    bool m_inputFinished = false;
    std::deque<std::unique_ptr<Chunk>> m_ready;
    std::vector<std::unique_ptr<Chunk>> m_spare;
    bool m_finished = false;
    bool m_stopped = false;
    std::thread m_thread; // started last, once the rest is ready
};

XmlPartReader::XmlPartReader() : m_tokenizer(std::make_unique<Tokenizer>())
{
}

XmlPartReader::XmlPartReader(const QByteArray& part) : XmlPartReader()
{
    addData(part);
    finishData();
}

void XmlPartReader::addData(const QByteArray& data)
{
    m_tokenizer->addData(data);
}

void XmlPartReader::finishData()
{
    m_tokenizer->finishData();
}

XmlPartReader::~XmlPartReader() = default;

const XmlPartReader::Token& XmlPartReader::current() const
{
    static const Token none;
    return m_chunk ? m_chunk->tokens[size_t(m_index)] : none;
}

QXmlStreamReader::TokenType XmlPartReader::tokenType() const
{
    return m_raisedError ? QXmlStreamReader::Invalid : current().type;
}

QXmlStreamReader::TokenType XmlPartReader::readNext()
{
    const QXmlStreamReader::TokenType type = tokenType();
    // The tokenizer ends with one of these; it stays.
    if (type == QXmlStreamReader::Invalid || type == QXmlStreamReader::EndDocument)
        return type;
    if (m_chunk && size_t(m_index) + 1 < m_chunk->tokens.size()) {
        ++m_index;
        return current().type;
    }
    std::unique_ptr<Chunk> next = m_tokenizer->take();
    if (!next) {
        raiseError(QStringLiteral("The part ends early"));
        return QXmlStreamReader::Invalid;
    }
    m_tokenizer->recycle(std::exchange(m_previous, std::exchange(m_chunk, std::move(next))));
    m_index = 0;
    return current().type;
}

bool XmlPartReader::readNextStartElement()
{
    for (;;) {
        switch (readNext()) {
        case QXmlStreamReader::StartElement:
            return true;
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            return false;
        default:
            break;
        }
    }
}

void XmlPartReader::skipCurrentElement()
{
    for (int depth = 1; depth > 0;) {
        switch (readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            return;
        default:
            break;
        }
    }
}

QString XmlPartReader::readElementText()
{
    if (tokenType() != QXmlStreamReader::StartElement)
        return {};
    QString text;
    for (;;) {
        switch (readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            text += this->text();
            break;
        case QXmlStreamReader::StartElement:
            skipCurrentElement();
            break;
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            return text;
        default:
            break;
        }
    }
}

bool XmlPartReader::atEnd() const
{
    const QXmlStreamReader::TokenType type = tokenType();
    return type == QXmlStreamReader::Invalid || type == QXmlStreamReader::EndDocument;
}

QStringView XmlPartReader::name() const
{
    if (tokenType() != QXmlStreamReader::StartElement)
        return {};
    return m_chunk->view(current().name, current().nameSize);
}

QStringView XmlPartReader::namespaceUri() const
{
    if (tokenType() != QXmlStreamReader::StartElement)
        return {};
    return m_chunk->view(current().namespaceUri, current().namespaceSize);
}

QStringView XmlPartReader::text() const
{
    const QXmlStreamReader::TokenType type = tokenType();
    if (type != QXmlStreamReader::Characters && type != QXmlStreamReader::EntityReference)
        return {};
    return m_chunk->view(current().first, current().size);
}

QStringView XmlPartReader::attribute(QLatin1StringView localName) const
{
    if (tokenType() != QXmlStreamReader::StartElement)
        return {};
    const Token& token = current();
    for (qint32 index = token.first; index < token.first + token.size; ++index) {
        const Chunk::Attribute& attribute = m_chunk->attributes[size_t(index)];
        if (m_chunk->view(attribute.name, attribute.nameSize) == localName)
            return m_chunk->view(attribute.value, attribute.valueSize);
    }
    return {};
}

QString XmlPartReader::errorString() const
{
    if (m_raisedError)
        return *m_raisedError;
    return tokenType() == QXmlStreamReader::Invalid ? m_chunk->error : QString();
}

void XmlPartReader::raiseError(const QString& message)
{
    if (m_raisedError)
        return;
    m_raisedError = message;
    m_tokenizer->stop();
}
