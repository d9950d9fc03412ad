#pragma once

// The bytes of plain text as the editor control reads and writes them.
//
// Reading: UTF-8, a leading byte-order mark skipped; bytes that are not valid
// UTF-8 are Windows-1250, so that files written on Windows open correctly. The
// Unicode kind is UTF-16 in the machine's byte order. Every line break (CR LF,
// CR, LF) becomes one LF, which the document takes as one paragraph break.
//
// Writing: paragraph breaks, which the control's text gives as CR, become CR LF;
// pictures and embedded objects (the object replacement character) are left out,
// as plain text has no place for them.

#include <QByteArray>
#include <QString>

enum class PlainTextEncoding { Utf8, Utf16 };

namespace PlainTextCodec {

QString decode(QByteArrayView bytes, PlainTextEncoding encoding);

// The control's text (paragraph breaks as CR) as plain text holds it: objects
// left out, breaks as CR LF.
QString exported(QString text);
QByteArray encode(QStringView text, PlainTextEncoding encoding);

// CR LF, CR and LF each become one LF.
QString normalisedBreaks(const QString& text);

} // namespace PlainTextCodec
