#pragma once

// Pictures in a QTextDocument: each is one image character whose format names
// one of the document's image resources and may keep the picture's file bytes.

class QByteArray;
class QImage;
class QString;
class QTextCursor;
class QTextDocument;
class QTextImageFormat;

namespace DocumentPictures {

// Inserts `image` as one character at `cursor`, replacing its selection, in the
// format at the cursor; the cursor ends after it. `data` holds the picture's
// file bytes of `kind` ("png" or "jpeg"), kept for saving; empty, nothing is kept.
void insert(QTextCursor& cursor, const QImage& image, const QByteArray& data, const QString& kind);

// The image that `format` names; null when the document has none of that name.
QImage imageOf(const QTextDocument& document, const QTextImageFormat& format);

} // namespace DocumentPictures
