#pragma once

// Reads the colour table ({\colortbl}): each ";" ends a colour, one without components is
// the automatic colour. Only the document's first table is read.

#include "rtf/RtfKeyword.h"

#include <QColor>
#include <QList>

class RtfColorTableReader
{
public:
    explicit RtfColorTableReader(QList<QColor>& colors) : m_colors(colors) {}

    // A table starts; the colours read so far are dropped. False when a table was read
    // before: the group is then skipped.
    bool start()
    {
        m_colors.clear();
        return !m_read;
    }
    void applyWord(RtfColorWord word, int parameter);
    void appendText(const char* data, qsizetype size);
    void finish() { m_read = true; }

private:
    // A colour while its components are read; -1: not given.
    struct PendingColor
    {
        int red = -1;
        int green = -1;
        int blue = -1;
    };

    void commit();

    QList<QColor>& m_colors;
    PendingColor m_color;
    bool m_read = false;
};
