#include "editcontrol/CharFormatConversion.h"

#include "format/Units.h"
#include "format/TextFormatProperties.h"
#include "platform/ColorRef.h"
#include "platform/Font.h"

#include <QFont>
#include <QFontDatabase>
#include <QTextCharFormat>

#include <cmath>
#include <cstring>

namespace CharFormatConversion {

using namespace TextFormatProperties;

namespace {

constexpr WORD BoldWeight = 700;
constexpr WORD NormalWeight = 400;

// The attributes that a mixed selection reports one by one.
constexpr DWORD SingleAttributeMasks[] = {CFM_BOLD,      CFM_ITALIC,    CFM_UNDERLINE, CFM_STRIKEOUT,
                                          CFM_PROTECTED, CFM_LINK,      CFM_SIZE,      CFM_FACE,
                                          CFM_COLOR,     CFM_BACKCOLOR, CFM_CHARSET,   CFM_SUBSCRIPT};

bool sameValue(const CHARFORMAT2A& x, const CHARFORMAT2A& y, DWORD attribute)
{
    switch (attribute) {
    case CFM_SIZE:
        return x.yHeight == y.yHeight;
    case CFM_FACE:
        return std::strcmp(x.szFaceName, y.szFaceName) == 0;
    case CFM_CHARSET:
        return x.bCharSet == y.bCharSet;
    case CFM_COLOR:
        return x.crTextColor == y.crTextColor &&
               (x.dwEffects & CFE_AUTOCOLOR) == (y.dwEffects & CFE_AUTOCOLOR);
    case CFM_BACKCOLOR:
        return x.crBackColor == y.crBackColor &&
               (x.dwEffects & CFE_AUTOBACKCOLOR) == (y.dwEffects & CFE_AUTOBACKCOLOR);
    default: // the effect bits, whose mask and effect bits are the same
        return (x.dwEffects & attribute) == (y.dwEffects & attribute);
    }
}

} // namespace

QString faceNameOf(const CHARFORMAT2A& record)
{
    return QString::fromUtf8(record.szFaceName,
                             qsizetype(strnlen(record.szFaceName, sizeof record.szFaceName)));
}

void putFaceName(CHARFORMAT2A& record, const QString& name)
{
    const QByteArray bytes = name.left(LF_FACESIZE - 1).toUtf8();
    std::memset(record.szFaceName, 0, sizeof record.szFaceName);
    std::memcpy(record.szFaceName, bytes.constData(), size_t(bytes.size()));
}

DWORD effectsOf(const QTextCharFormat& format)
{
    DWORD effects = 0;
    if (format.fontWeight() >= QFont::DemiBold)
        effects |= CFE_BOLD;
    if (format.fontItalic())
        effects |= CFE_ITALIC;
    if (format.fontUnderline())
        effects |= CFE_UNDERLINE;
    if (format.fontStrikeOut())
        effects |= CFE_STRIKEOUT;
    if (format.boolProperty(CharProtected))
        effects |= CFE_PROTECTED;
    if (format.isAnchor())
        effects |= CFE_LINK;
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        effects |= CFE_SUBSCRIPT;
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        effects |= CFE_SUPERSCRIPT;
    if (charAutoColor(format))
        effects |= CFE_AUTOCOLOR;
    if (charAutoBackColor(format))
        effects |= CFE_AUTOBACKCOLOR;
    return effects;
}

void describe(const QTextCharFormat& format, const QFont& defaultFont, CHARFORMAT2A& record)
{
    record.dwEffects = effectsOf(format);
    const int twips = charSize(format);
    record.yHeight = twips > 0 ? twips : LONG(std::lround(defaultFont.pointSizeF() * TwipsPerPoint));
    const QStringList families = format.fontFamilies().toStringList();
    const QString face = families.isEmpty() ? defaultFont.family() : families.first();
    putFaceName(record, face);
    record.crTextColor =
        (record.dwEffects & CFE_AUTOCOLOR) ? 0 : QColorToColorRef(format.foreground().color());
    record.crBackColor =
        (record.dwEffects & CFE_AUTOBACKCOLOR) ? 0 : QColorToColorRef(format.background().color());
    record.wWeight = (record.dwEffects & CFE_BOLD) ? BoldWeight : NormalWeight;
    record.bCharSet = BYTE(charCharset(format));
}

BYTE pitchOf(const QString& face)
{
    return QFontDatabase::isFixedPitch(face) ? FIXED_PITCH : VARIABLE_PITCH;
}

DWORD commonMask(const QTextCharFormat& a, const QTextCharFormat& b, DWORD mask, const QFont& defaultFont)
{
    CHARFORMAT2A x;
    CHARFORMAT2A y;
    describe(a, defaultFont, x);
    describe(b, defaultFont, y);
    for (const DWORD attribute : SingleAttributeMasks)
        if ((mask & attribute) && !sameValue(x, y, attribute))
            mask &= ~attribute;
    return mask;
}

QTextCharFormat toQt(const CHARFORMAT2A& record)
{
    QTextCharFormat format;
    const DWORD mask = record.dwMask;
    const DWORD effects = record.dwEffects;
    if (mask & CFM_BOLD)
        format.setFontWeight((effects & CFE_BOLD) ? QFont::Bold : QFont::Normal);
    if (mask & CFM_ITALIC)
        format.setFontItalic(effects & CFE_ITALIC);
    if (mask & CFM_UNDERLINE)
        format.setFontUnderline(effects & CFE_UNDERLINE);
    if (mask & CFM_STRIKEOUT)
        format.setFontStrikeOut(effects & CFE_STRIKEOUT);
    if (mask & CFM_PROTECTED)
        format.setProperty(CharProtected, bool(effects & CFE_PROTECTED));
    if (mask & CFM_LINK)
        format.setAnchor(effects & CFE_LINK);
    if (mask & CFM_SUBSCRIPT) {
        if (effects & CFE_SUBSCRIPT)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        else if (effects & CFE_SUPERSCRIPT)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else
            format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    }
    if ((mask & CFM_SIZE) && record.yHeight > 0)
        setCharSize(format, record.yHeight);
    if ((mask & CFM_FACE) && record.szFaceName[0])
        format.setFontFamilies(QStringList{faceNameOf(record)});
    if (mask & CFM_WEIGHT)
        format.setFontWeight(record.wWeight);
    if (mask & CFM_COLOR)
        setCharTextColor(format, (effects & CFE_AUTOCOLOR) ? QColor() : ColorRefToQColor(record.crTextColor));
    if (mask & CFM_BACKCOLOR)
        setCharBackColor(format,
                         (effects & CFE_AUTOBACKCOLOR) ? QColor() : ColorRefToQColor(record.crBackColor));
    if (mask & CFM_CHARSET)
        setCharCharset(format, record.bCharSet);
    return format;
}

} // namespace CharFormatConversion
