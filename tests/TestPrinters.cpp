#include "tests/TestPrinters.h"

#include <QByteArray>
#include <QColor>
#include <QDebug>
#include <QImage>
#include <QKeySequence>
#include <QMarginsF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariant>

#include <ostream>
#include <string>

namespace {

// Qt's debug form: it quotes and escapes text and names the geometry types.
template <typename Value> std::string debugText(const Value& value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text.toStdString();
}

} // namespace

void PrintTo(const QString& text, std::ostream* out)
{
    *out << debugText(text);
}

void PrintTo(QChar character, std::ostream* out)
{
    std::string quoted = debugText(QString(character));
    quoted.front() = quoted.back() = '\'';
    *out << quoted;
}

void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << debugText(bytes);
}

void PrintTo(const QColor& color, std::ostream* out)
{
    if (!color.isValid()) {
        *out << "(invalid colour)";
        return;
    }
    *out << color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb).toStdString();
}

void PrintTo(const QImage& image, std::ostream* out)
{
    *out << debugText(image);
}

void PrintTo(const QKeySequence& keys, std::ostream* out)
{
    *out << debugText(keys);
}

void PrintTo(const QMarginsF& margins, std::ostream* out)
{
    *out << debugText(margins);
}

void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << debugText(point);
}

void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << debugText(rect);
}

void PrintTo(const QSize& size, std::ostream* out)
{
    *out << debugText(size);
}

void PrintTo(const QSizeF& size, std::ostream* out)
{
    *out << debugText(size);
}

void PrintTo(const QVariant& value, std::ostream* out)
{
    *out << debugText(value);
}

// A test program sees the headers of the libraries it links and no others, so
// each library's records get their printers only where its headers are found.

#if __has_include("editcontrol/RichEditTypes.h")
#include "editcontrol/RichEditTypes.h"

void PrintTo(const CHARRANGE& range, std::ostream* out)
{
    *out << "CHARRANGE{" << range.cpMin << ", " << range.cpMax << '}';
}
#endif

#if __has_include("richedit/TZvCustomRichEdit.h")
#include "richedit/TZvCustomRichEdit.h"

void PrintTo(const TPoint& point, std::ostream* out)
{
    *out << "TPoint{" << point.X << ", " << point.Y << '}';
}
#endif

#if __has_include("platform/Font.h")
#include "platform/Desktop.h"
#include "platform/Font.h"
#include "platform/Printer.h"

void PrintTo(const FileDialogFilter& filter, std::ostream* out)
{
    *out << "FileDialogFilter{" << debugText(filter.description) << ", " << debugText(filter.patterns) << '}';
}

void PrintTo(const PageSetupOptions& options, std::ostream* out)
{
    const auto print = [out](const PageMargins& margins) {
        *out << margins.left << ", " << margins.top << ", " << margins.right << ", " << margins.bottom;
    };
    *out << "margins ";
    print(options.margins);
    *out << " (at least ";
    print(options.minimumMargins);
    *out << "), paper " << options.paperWidth << 'x' << options.paperHeight
         << (options.orientation == QPageLayout::Portrait ? ", portrait" : ", landscape");
}

void PrintTo(const TFont& font, std::ostream* out)
{
    *out << font.Name.toStdString() << ", " << font.Size << " pt, style " << font.Style << ", colour 0x"
         << std::hex << font.Color << std::dec << ", charset " << font.Charset << ", pitch "
         << int(font.Pitch);
}
#endif
