#pragma once

// `Lines`: the editor control's text as a list of lines, and its only way of
// loading and saving a document. Lines are the control's laid-out lines
// (0-based); out-of-range indexes are ignored. Loading and saving go through the
// control's streaming in chunks, through a conversion object.
//
// The kind of a load or save: "txt" files are always plain text, "rtf", "docx"
// and "odt" files always rich text (Word and OpenDocument documents through
// their conversion, which writes the format the extension names), any other
// extension follows StreamFormat and, with
// sfDefault, the control's PlainText. A load that the control refuses in one
// kind is tried once more in the other. Errors are thrown: EOutOfResources
// ("Failed to Load Stream", "Failed to Save Stream"), EFOpenError and
// EFCreateError for files that cannot be opened or written, which carry the
// file's fault (FileFault: the file and the system's reason).

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QFile;
class QIODevice;
class TZvCustomRichEdit;

enum class TRichStreamFormat { sfDefault, sfRichText, sfPlainText };

enum TRichStreamModeFlag : unsigned { smSelection = 1, smPlainRtf = 2, smNoObjects = 4, smUnicode = 8 };
using TRichStreamModes = unsigned;

// Moves the bytes of a load or save between the stream and the control; this
// kind passes them through unchanged.
class TConversion
{
public:
    virtual ~TConversion() = default;
    // Reads up to `size` bytes; returns the count read.
    virtual int ReadChunk(QIODevice& stream, char* buffer, int size);
    // A save begins: nothing is written yet.
    virtual void StartWrite() {}
    // Writes `size` bytes; returns the count written.
    virtual int WriteChunk(QIODevice& stream, const char* buffer, int size);
    // The control has written the whole document; a conversion that gathers it writes it
    // out now, and throws when it cannot.
    virtual void FinishWrite(QIODevice&) {}
    // Whether the conversion serves only the one file it was chosen for, and is not kept
    // for the loads and saves that follow.
    virtual bool ServesOneFile() const { return false; }
};

struct TRichConversionFormat
{
    std::unique_ptr<TConversion> (*ConversionClass)();
    QString Extension; // lower case, without the dot
    bool PlainText;
};

// The process-wide list: "txt" (plain text), "rtf", "docx" and "odt" (rich text).
const std::vector<TRichConversionFormat>& ConversionFormatList();

class TRichEditStrings
{
public:
    explicit TRichEditStrings(TZvCustomRichEdit* richEdit);
    ~TRichEditStrings();

    TRichStreamFormat StreamFormat() const { return m_streamFormat; }
    void setStreamFormat(TRichStreamFormat format) { m_streamFormat = format; }
    TRichStreamModes StreamMode() const { return m_streamMode; }
    void setStreamMode(TRichStreamModes mode) { m_streamMode = mode; }
    TConversion* Converter() const { return m_converter.get(); }
    void setConverter(std::unique_ptr<TConversion> converter)
    {
        m_converter = std::move(converter);
        m_converterClass = nullptr;
    }

    int Count() const;
    QString Get(int index) const;             // without the line break, at most 4096 characters
    void Put(int index, const QString& text); // the line break is kept
    void Insert(int index, const QString& text);
    void Add(const QString& text) { Insert(Count(), text); }
    void Delete(int index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    QString Text() const; // every line followed by CR LF
    void SetText(const QString& text);
    void Assign(const QStringList& lines);
    void Assign(const TRichEditStrings& source);
    QStringList Strings() const;

    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream);
    // Opens a document file for loading: a regular file that reads to its end.
    // It is read through once, in chunks that are not kept, so that a load
    // from it does not fail halfway. Throws EFOpenError otherwise; a folder, a
    // device or a pipe is refused without being opened (a pipe waits for a
    // writer, a device may never end).
    static std::unique_ptr<QFile> OpenDocumentFile(const QString& fileName);
    // Whether `fileName` names something that exists but is not a regular
    // file: a folder, a device or a pipe.
    static bool IsNonFile(const QString& fileName);
    // Loads the file by the rules of its extension (OpenDocumentFile first).
    void LoadFromFile(const QString& fileName);
    // Loads a file from OpenDocumentFile by the rules of its extension: so a
    // caller can open first and change the editor only afterwards.
    void LoadFromFile(QFile& file);
    // Writes a complete new file beside the old one and puts it in place only
    // when everything was written, so a failed save leaves the old file as it was.
    void SaveToFile(const QString& fileName);

    void EnableChangeNotifications(bool on);

private:
    enum class Direction { Load, Save };
    unsigned formatCode(Direction direction) const;
    bool isPlainText() const;
    void replaceRange(int start, int end, const QString& text);
    template <typename Operation> void withExtensionFormat(const QString& fileName, Operation operation);

    TZvCustomRichEdit* m_richEdit;
    TRichStreamFormat m_streamFormat = TRichStreamFormat::sfDefault;
    TRichStreamModes m_streamMode = 0;
    std::unique_ptr<TConversion> m_converter;
    // The class of the list's entry that made m_converter; none for one given by setConverter.
    std::unique_ptr<TConversion> (*m_converterClass)() = nullptr;
    int m_updateCount = 0;
};
