#include "platform/PlainTextCodec.h"

#include <QStringDecoder>

namespace PlainTextCodec {

namespace {

QString decodeUtf8OrWindows1250(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1250("windows-1250");
    if (windows1250.isValid())
        return windows1250.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace

QString decode(QByteArrayView bytes, PlainTextEncoding encoding)
{
    switch (encoding) {
    case PlainTextEncoding::Utf16:
        return normalisedBreaks(
            QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2));
    case PlainTextEncoding::Utf8:
        return normalisedBreaks(decodeUtf8OrWindows1250(bytes));
    }
    return {};
}

QString exported(QString text)
{
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QLatin1Char('\r'), QLatin1String("\r\n"));
    return text;
}

QByteArray encode(QStringView text, PlainTextEncoding encoding)
{
    switch (encoding) {
    case PlainTextEncoding::Utf16:
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    case PlainTextEncoding::Utf8:
        return text.toUtf8();
    }
    return {};
}

QString normalisedBreaks(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

} // namespace PlainTextCodec
