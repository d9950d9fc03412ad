#pragma once

// GoogleTest printers for the Qt values and the program's records that tests
// compare, so that a failed comparison reads "tučný", #fffacd or
// CHARRANGE{3, 5} instead of "2-byte object <74-00>".
//
// The build puts this header in front of every test source. GoogleTest
// chooses a type's printer where it instantiates its templates, once in each
// translation unit; a source that missed the declarations would print bytes,
// and its instantiation would differ from its neighbours' in the same program.
//
// The types are only declared here, so the header costs nothing to sources
// that do not use them; TestPrinters.cpp defines the printers of each library
// that a test program can see.

#include <iosfwd>

class QByteArray;
class QChar;
class QColor;
class QImage;
class QKeySequence;
class QMarginsF;
class QPoint;
class QRect;
class QSize;
class QSizeF;
class QString;
class QVariant;

struct CHARRANGE;
struct FileDialogFilter;
struct PageSetupOptions;
class TFont;
struct TPoint;

// Text quoted, with control characters escaped and Czech letters as they are;
// a QStringList prints as { "a", "b" }.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(QChar character, std::ostream* out);
void PrintTo(const QByteArray& bytes, std::ostream* out); // bytes outside ASCII as \xNN
void PrintTo(const QColor& color, std::ostream* out);     // #rrggbb, #aarrggbb when not opaque
// As Qt's debug output writes them: QRect(0,0 857x25), QSize(36, 22), ...
void PrintTo(const QImage& image, std::ostream* out);
void PrintTo(const QKeySequence& keys, std::ostream* out);
void PrintTo(const QMarginsF& margins, std::ostream* out);
void PrintTo(const QPoint& point, std::ostream* out);
void PrintTo(const QRect& rect, std::ostream* out);
void PrintTo(const QSize& size, std::ostream* out);
void PrintTo(const QSizeF& size, std::ostream* out);
void PrintTo(const QVariant& value, std::ostream* out);

void PrintTo(const CHARRANGE& range, std::ostream* out);
void PrintTo(const FileDialogFilter& filter, std::ostream* out);
void PrintTo(const PageSetupOptions& options, std::ostream* out);
void PrintTo(const TFont& font, std::ostream* out);
void PrintTo(const TPoint& point, std::ostream* out);
