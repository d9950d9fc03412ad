#include "platform/Font.h"

void TFont::Assign(const TPersistent& source)
{
    if (const auto* font = dynamic_cast<const TFont*>(&source)) {
        Name = font->Name;
        Size = font->Size;
        Style = font->Style;
        Color = font->Color;
        Charset = font->Charset;
        Pitch = font->Pitch;
        return;
    }
    TPersistent::Assign(source);
}

QFont TFont::toQFont() const
{
    QFont font(Name);
    font.setPointSize(Size > 0 ? Size : 8);
    font.setBold(Style & fsBold);
    font.setItalic(Style & fsItalic);
    font.setUnderline(Style & fsUnderline);
    font.setStrikeOut(Style & fsStrikeOut);
    return font;
}
