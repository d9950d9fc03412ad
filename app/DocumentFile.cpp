#include "app/DocumentFile.h"

#include "platform/ZvExceptions.h"
#include "richedit/TRichEditStrings.h"
#include "richedit/TZvCustomRichEdit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The stream format that the file's extension decides, as the editor's own
// file loading chooses it.
TRichStreamFormat formatOfExtension(const QString& fileName, TRichStreamFormat otherwise)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const TRichConversionFormat& format : ConversionFormatList()) {
        if (format.Extension == extension)
            return format.PlainText ? TRichStreamFormat::sfPlainText : TRichStreamFormat::sfRichText;
    }
    return otherwise;
}

} // namespace

DocumentFile DocumentFile::read(const QString& fileName)
{
    QFile file(fileName);
    const auto cannotRead = [&] {
        return EFOpenError(QStringLiteral("Cannot open file \"%1\". %2")
                               .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    };
    if (!file.open(QIODevice::ReadOnly))
        throw cannotRead();
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw cannotRead();
    return {fileName, bytes};
}

void DocumentFile::loadInto(TZvCustomRichEdit& editor) const
{
    const TRichStreamFormat saved = editor.StreamFormat();
    editor.setStreamFormat(formatOfExtension(m_fileName, saved));
    QBuffer stream;
    stream.setData(m_bytes);
    stream.open(QIODevice::ReadOnly);
    try {
        editor.Lines().LoadFromStream(stream);
    } catch (...) {
        editor.setStreamFormat(saved);
        throw;
    }
    editor.setStreamFormat(saved);
}
