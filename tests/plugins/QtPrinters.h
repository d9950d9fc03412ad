#pragma once

// GoogleTest printers for the Qt values the plug-in tests compare, so that
// failures show text and colour names instead of bytes.

#include <QColor>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QColor& color, std::ostream* out)
{
    *out << (color.isValid() ? color.name().toStdString() : std::string("(invalid colour)"));
}
