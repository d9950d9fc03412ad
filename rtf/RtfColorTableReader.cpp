#include "rtf/RtfColorTableReader.h"

#include <algorithm>

void RtfColorTableReader::applyWord(RtfColorWord word, int parameter)
{
    const int value = std::clamp(parameter, 0, 255);
    switch (word) {
    case RtfColorWord::Red:
        m_color.red = value;
        break;
    case RtfColorWord::Green:
        m_color.green = value;
        break;
    case RtfColorWord::Blue:
        m_color.blue = value;
        break;
    }
}

void RtfColorTableReader::appendText(const char* data, qsizetype size)
{
    for (qsizetype index = 0; index < size; ++index) {
        if (data[index] == ';')
            commit();
    }
}

void RtfColorTableReader::commit()
{
    if (m_color.red < 0 && m_color.green < 0 && m_color.blue < 0)
        m_colors.append(QColor());
    else
        m_colors.append(
            QColor(std::max(m_color.red, 0), std::max(m_color.green, 0), std::max(m_color.blue, 0)));
    m_color = PendingColor();
}
