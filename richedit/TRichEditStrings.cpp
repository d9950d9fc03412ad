#include "richedit/TRichEditStrings.h"

#include "editcontrol/EditStreamIo.h"
#include "editcontrol/RichEditControl.h"
#include "platform/WholeFile.h"
#include "platform/ZvExceptions.h"
#include "richedit/TOfficeConversion.h"
#include "richedit/TZvCustomRichEdit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>

#include <cerrno>

namespace {

constexpr int LineBufferSize = 4096;

// What the stream callbacks answer the control when the conversion fails.
constexpr DWORD ReadFailed = 1;
constexpr DWORD WriteFailed = 2;

// What the control's stream callbacks get as their cookie.
struct StreamCookie
{
    TConversion* conversion;
    QIODevice* stream;
    bool plainText;         // loading plain text: line breaks become CR LF
    bool lastWasCr = false; // the previous chunk ended with CR
};

LONG normaliseBreaks(StreamCookie& cookie, const char* input, int count, BYTE* output);

DWORD loadCallback(DWORD_PTR cookieValue, BYTE* buffer, LONG size, LONG* transferred)
{
    auto* cookie = reinterpret_cast<StreamCookie*>(cookieValue);
    *transferred = 0;
    try {
        if (!cookie->plainText) {
            // Rich text goes through untouched: a CR inside \bin picture data
            // is data, not a line break.
            const int read =
                cookie->conversion->ReadChunk(*cookie->stream, reinterpret_cast<char*>(buffer), size);
            if (read < 0)
                return ReadFailed;
            *transferred = read;
            return 0;
        }
        // At most half a buffer is read, so that every break doubled to CR LF
        // still fits.
        std::vector<char> work(size_t(size / 2) + 1);
        LONG out = 0;
        // A chunk that held only the LF of a split CR LF gives nothing, which
        // would read as the end of the stream: read on until something is left.
        while (out == 0) {
            const int read = cookie->conversion->ReadChunk(*cookie->stream, work.data(), size / 2);
            if (read < 0)
                return ReadFailed;
            if (read == 0)
                break;
            out = normaliseBreaks(*cookie, work.data(), read, buffer);
        }
        *transferred = out;
        return 0;
    } catch (...) {
        return ReadFailed;
    }
}

// Writes `input` into `output` with every line break (CR, LF, CR LF) as CR LF;
// returns the count written, at most twice the input.
LONG normaliseBreaks(StreamCookie& cookie, const char* input, int count, BYTE* output)
{
    LONG out = 0;
    for (int i = 0; i < count; ++i) {
        const char c = input[i];
        if (c == '\n' && cookie.lastWasCr) { // the LF of a CR LF already written
            cookie.lastWasCr = false;
            continue;
        }
        cookie.lastWasCr = c == '\r';
        if (c == '\r' || c == '\n') {
            output[out++] = '\r';
            output[out++] = '\n';
        } else {
            output[out++] = BYTE(c);
        }
    }
    return out;
}

DWORD saveCallback(DWORD_PTR cookieValue, BYTE* buffer, LONG size, LONG* transferred)
{
    auto* cookie = reinterpret_cast<StreamCookie*>(cookieValue);
    *transferred = 0;
    try {
        const int written =
            cookie->conversion->WriteChunk(*cookie->stream, reinterpret_cast<const char*>(buffer), size);
        if (written < 0)
            return WriteFailed;
        *transferred = written;
        return 0;
    } catch (...) {
        return WriteFailed;
    }
}

std::unique_ptr<TConversion> defaultConversion()
{
    return std::make_unique<TConversion>();
}

std::unique_ptr<TConversion> docxConversion()
{
    return std::make_unique<TOfficeConversion>(OfficeDocument::Format::Docx);
}

std::unique_ptr<TConversion> odtConversion()
{
    return std::make_unique<TOfficeConversion>(OfficeDocument::Format::Odt);
}

const TRichConversionFormat* findConversionFormat(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const TRichConversionFormat& format : ConversionFormatList())
        if (format.Extension == extension)
            return &format;
    return nullptr;
}

} // namespace

int TConversion::ReadChunk(QIODevice& stream, char* buffer, int size)
{
    return int(stream.read(buffer, size));
}

int TConversion::WriteChunk(QIODevice& stream, const char* buffer, int size)
{
    return int(stream.write(buffer, size));
}

const std::vector<TRichConversionFormat>& ConversionFormatList()
{
    static const std::vector<TRichConversionFormat> formats{
        {defaultConversion, QStringLiteral("txt"), true},
        {defaultConversion, QStringLiteral("rtf"), false},
        {docxConversion, QStringLiteral("docx"), false},
        {odtConversion, QStringLiteral("odt"), false},
    };
    return formats;
}

TRichEditStrings::TRichEditStrings(TZvCustomRichEdit* richEdit) : m_richEdit(richEdit)
{
}

TRichEditStrings::~TRichEditStrings() = default;

// --- Lines -----------------------------------------------------------------

int TRichEditStrings::Count() const
{
    RichEditControl* control = m_richEdit->control();
    const int lines = control->GetLineCount();
    const int lastStart = control->LineIndex(lines - 1);
    return control->LineLength(lastStart) == 0 && lastStart == control->GetTextLength() ? lines - 1 : lines;
}

QString TRichEditStrings::Get(int index) const
{
    char16_t buffer[LineBufferSize];
    buffer[0] = LineBufferSize;
    const int count = m_richEdit->control()->GetLine(index, buffer);
    QString text = QString::fromUtf16(buffer, count);
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (EditorLibraryVersion() >= 2 && text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

void TRichEditStrings::replaceRange(int start, int end, const QString& text)
{
    m_richEdit->SelectRange(start, end, false);
    m_richEdit->LinesUpdating = true;
    try {
        m_richEdit->setSelectedText(text);
    } catch (...) {
        m_richEdit->LinesUpdating = false;
        throw;
    }
    m_richEdit->LinesUpdating = false;
}

void TRichEditStrings::Put(int index, const QString& text)
{
    RichEditControl* control = m_richEdit->control();
    if (index < 0)
        return;
    const int start = control->LineIndex(index);
    if (start < 0)
        return;
    replaceRange(start, start + control->LineLength(start), text);
}

void TRichEditStrings::Insert(int index, const QString& text)
{
    if (index < 0)
        return;
    RichEditControl* control = m_richEdit->control();
    const QString lineBreak = EditorLibraryVersion() >= 2 ? QStringLiteral("\r") : QStringLiteral("\r\n");
    int position = control->LineIndex(index);
    QString inserted;
    if (position >= 0) {
        inserted = text + lineBreak;
    } else {
        const int previous = index > 0 ? control->LineIndex(index - 1) : NoPosition;
        if (previous < 0)
            return;
        const int length = control->LineLength(previous);
        if (length == 0)
            return;
        position = previous + length;
        inserted = lineBreak + text;
    }
    replaceRange(position, position, inserted);
    if (EditorLibraryVersion() == 1 && m_richEdit->SelectionStart() != position + inserted.size())
        throw EOutOfResources(QStringLiteral("RichEdit line insertion error"));
}

void TRichEditStrings::Delete(int index)
{
    if (index < 0)
        return;
    RichEditControl* control = m_richEdit->control();
    const int start = control->LineIndex(index);
    if (start < 0)
        return;
    const int next = control->LineIndex(index + 1);
    replaceRange(start, next >= 0 ? next : start + control->LineLength(start), QString());
}

void TRichEditStrings::Clear()
{
    m_richEdit->Clear();
}

void TRichEditStrings::BeginUpdate()
{
    if (m_updateCount++ == 0 && m_richEdit->isVisible())
        m_richEdit->control()->setUpdatesEnabled(false);
}

void TRichEditStrings::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount > 0)
        return;
    RichEditControl* control = m_richEdit->control();
    control->setUpdatesEnabled(true);
    control->viewport()->update();
}

QStringList TRichEditStrings::Strings() const
{
    QStringList lines;
    const int count = Count();
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << Get(i);
    return lines;
}

QString TRichEditStrings::Text() const
{
    QString text;
    for (const QString& line : Strings())
        text += line + QLatin1String("\r\n");
    return text;
}

void TRichEditStrings::SetText(const QString& text)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // a final break ends the last line, it starts no new one
    Assign(lines);
}

void TRichEditStrings::Assign(const QStringList& lines)
{
    EnableChangeNotifications(false);
    BeginUpdate();
    try {
        Clear();
        // Adding each line in turn puts every line followed by a break; doing
        // it in one replacement gives the same text in one step.
        if (!lines.isEmpty()) {
            const QString lineBreak =
                EditorLibraryVersion() >= 2 ? QStringLiteral("\r") : QStringLiteral("\r\n");
            replaceRange(0, 0, lines.join(lineBreak) + lineBreak);
        }
    } catch (...) {
        EndUpdate();
        EnableChangeNotifications(true);
        throw;
    }
    EndUpdate();
    EnableChangeNotifications(true);
}

void TRichEditStrings::Assign(const TRichEditStrings& source)
{
    // The selection moves during the copy; the handler is not told about it.
    auto handler = std::move(m_richEdit->OnSelectionChange);
    m_richEdit->OnSelectionChange = nullptr;
    const QStringList lines = source.Strings();
    try {
        Assign(lines);
    } catch (...) {
        m_richEdit->OnSelectionChange = std::move(handler);
        throw;
    }
    m_richEdit->OnSelectionChange = std::move(handler);
}

void TRichEditStrings::EnableChangeNotifications(bool on)
{
    RichEditControl* control = m_richEdit->control();
    const DWORD mask = control->GetEventMask();
    control->SetEventMask(on ? mask | ENM_CHANGE : mask & ~ENM_CHANGE);
}

// --- Streaming -------------------------------------------------------------

bool TRichEditStrings::isPlainText() const
{
    switch (m_streamFormat) {
    case TRichStreamFormat::sfRichText:
        return false;
    case TRichStreamFormat::sfPlainText:
        return true;
    case TRichStreamFormat::sfDefault:
        return m_richEdit->PlainText();
    }
    return false;
}

unsigned TRichEditStrings::formatCode(Direction direction) const
{
    const bool plain = isPlainText();
    unsigned code = plain ? SF_TEXT : SF_RTF;
    if (!plain && direction == Direction::Save && (m_streamMode & smNoObjects))
        code = SF_RTFNOOBJS;
    if (!plain && (m_streamMode & smPlainRtf))
        code |= SFF_PLAINRTF;
    if (plain && (m_streamMode & smUnicode) && EditorLibraryVersion() >= 2)
        code |= SF_UNICODE;
    if (m_streamMode & smSelection)
        code |= SFF_SELECTION;
    return code;
}

void TRichEditStrings::LoadFromStream(QIODevice& stream)
{
    std::unique_ptr<TConversion> ownConversion;
    TConversion* conversion = m_converter.get();
    if (!conversion) {
        ownConversion = defaultConversion();
        conversion = ownConversion.get();
    }
    RichEditControl* control = m_richEdit->control();
    const qint64 position = stream.pos();
    const unsigned code = formatCode(Direction::Load);
    StreamCookie cookie{conversion, &stream, !(code & SF_RTF)};
    EDITSTREAM editStream{DWORD_PTR(&cookie), 0, loadCallback};
    control->StreamIn(code, editStream);
    // A Word or OpenDocument package that cannot be read is no text either.
    if (editStream.dwError == EditStreamIo::DamagedPackage)
        throw EOutOfResources(QStringLiteral("Failed to Load Stream"));
    if (editStream.dwError != 0) {
        // Refused in the chosen kind: once more in the other, without the flags.
        stream.seek(position);
        const unsigned other = (code & SF_RTF) ? SF_TEXT : SF_RTF;
        cookie = StreamCookie{conversion, &stream, other == SF_TEXT};
        editStream = EDITSTREAM{DWORD_PTR(&cookie), 0, loadCallback};
        control->StreamIn(other, editStream);
        if (editStream.dwError != 0)
            throw EOutOfResources(QStringLiteral("Failed to Load Stream"));
    }
    m_richEdit->SelectRange(0, 0, true);
}

void TRichEditStrings::SaveToStream(QIODevice& stream)
{
    std::unique_ptr<TConversion> ownConversion;
    TConversion* conversion = m_converter.get();
    if (!conversion) {
        ownConversion = defaultConversion();
        conversion = ownConversion.get();
    }
    StreamCookie cookie{conversion, &stream, false};
    EDITSTREAM editStream{DWORD_PTR(&cookie), 0, saveCallback};
    conversion->StartWrite();
    m_richEdit->control()->StreamOut(formatCode(Direction::Save), editStream);
    if (editStream.dwError != 0)
        throw EOutOfResources(QStringLiteral("Failed to Save Stream"));
    try {
        conversion->FinishWrite(stream);
    } catch (...) {
        throw EOutOfResources(QStringLiteral("Failed to Save Stream"));
    }
}

template <typename Operation>
void TRichEditStrings::withExtensionFormat(const QString& fileName, Operation operation)
{
    const TRichConversionFormat* entry = findConversionFormat(fileName);
    // A conversion the list made for another kind of file gives way to this kind's: a Word
    // document is saved as one even when an RTF file was loaded before.
    if (entry && (!m_converter || (m_converterClass && m_converterClass != entry->ConversionClass))) {
        m_converter = entry->ConversionClass();
        m_converterClass = entry->ConversionClass;
    }
    const TRichStreamFormat saved = m_streamFormat;
    if (entry)
        m_streamFormat = entry->PlainText ? TRichStreamFormat::sfPlainText : TRichStreamFormat::sfRichText;
    try {
        operation();
    } catch (...) {
        m_streamFormat = saved;
        m_converter.reset();
        m_converterClass = nullptr;
        throw;
    }
    m_streamFormat = saved;
    if (m_converter && m_converter->ServesOneFile()) {
        m_converter.reset();
        m_converterClass = nullptr;
    }
}

namespace {

EFOpenError cannotOpen(const FileFault& fault)
{
    return EFOpenError(QStringLiteral("Cannot open file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(fault.fileName), fault.systemReason),
                       fault);
}

} // namespace

bool TRichEditStrings::IsNonFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !info.isFile();
}

std::unique_ptr<QFile> TRichEditStrings::OpenDocumentFile(const QString& fileName)
{
    // Asked before opening: opening a pipe waits for a writer, and a device
    // such as /dev/zero never ends.
    if (IsNonFile(fileName))
        throw cannotOpen(FileFault{fileName, FileAccess::Reading, QFileInfo(fileName).isDir() ? EISDIR : 0,
                                   QStringLiteral("It is not a regular file")});
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        throw cannotOpen(FileFault::ofFailedOpen(fileName, FileAccess::Reading, file->errorString()));
    // Read through once in chunks, none of them kept, so that a load from the
    // file cannot fail halfway and leave the editor with half a document.
    constexpr qint64 ChunkSize = 1 << 16;
    std::vector<char> chunk(ChunkSize);
    qint64 read = 0;
    while ((read = file->read(chunk.data(), ChunkSize)) > 0) {
    }
    if (read < 0 || !file->seek(0)) {
        const int error = errno;
        throw cannotOpen(FileFault{fileName, FileAccess::Reading, error, file->errorString()});
    }
    return file;
}

void TRichEditStrings::LoadFromFile(const QString& fileName)
{
    LoadFromFile(*OpenDocumentFile(fileName));
}

void TRichEditStrings::LoadFromFile(QFile& file)
{
    // Streams straight from the file, in the control's chunks.
    withExtensionFormat(file.fileName(), [&] { LoadFromStream(file); });
}

void TRichEditStrings::SaveToFile(const QString& fileName)
{
    withExtensionFormat(fileName,
                        [&] { WholeFile::write(fileName, [&](QIODevice& file) { SaveToStream(file); }); });
}
