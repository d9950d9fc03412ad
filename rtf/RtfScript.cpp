#include "rtf/RtfScript.h"

#include <QChar>

namespace {

struct ScriptRange
{
    char32_t first;
    char32_t last;
    RtfScriptClass script;
};

// The blocks whose script word processors decide by the block alone (as LibreOffice
// does): Latin covers ASCII digits and punctuation as well, so that they keep the Latin
// font next to East Asian text.
constexpr ScriptRange Ranges[] = {
    {0x0000, 0x058F, RtfScriptClass::Latin},   // Basic Latin to Armenian
    {0x0590, 0x109F, RtfScriptClass::Complex}, // Hebrew to Myanmar
    {0x10A0, 0x10FF, RtfScriptClass::Latin},   // Georgian
    {0x1100, 0x11FF, RtfScriptClass::Asian},   // Hangul Jamo
    {0x1200, 0x137F, RtfScriptClass::Complex}, // Ethiopic
    {0x13A0, 0x16FF, RtfScriptClass::Latin},   // Cherokee to Runic
    {0x1780, 0x18AF, RtfScriptClass::Complex}, // Khmer, Mongolian
    {0x1E00, 0x1FFF, RtfScriptClass::Latin},   // Latin Extended Additional, Greek Extended
    {0x2150, 0x218F, RtfScriptClass::Weak},    // Number Forms
    {0x2C60, 0x2C7F, RtfScriptClass::Latin},   // Latin Extended-C
    {0x2C80, 0x2CE3, RtfScriptClass::Latin},   // Coptic
    {0x2E80, 0xA4CF, RtfScriptClass::Asian},   // CJK Radicals Supplement to Yi Radicals
    {0xA720, 0xA7FF, RtfScriptClass::Latin},   // Latin Extended-D
    {0xAC00, 0xD7AF, RtfScriptClass::Asian},   // Hangul Syllables
    {0xF900, 0xFAFF, RtfScriptClass::Asian},   // CJK Compatibility Ideographs
    {0xFB50, 0xFDFF, RtfScriptClass::Complex}, // Arabic Presentation Forms-A
    {0xFE30, 0xFE4F, RtfScriptClass::Asian},   // CJK Compatibility Forms
    {0xFE70, 0xFEFF, RtfScriptClass::Complex}, // Arabic Presentation Forms-B
    {0xFF00, 0xFFEF, RtfScriptClass::Asian},   // Halfwidth and Fullwidth Forms
    {0x20000, 0x2FA1F, RtfScriptClass::Asian}, // CJK Extension B to Compatibility Supplement
};

// Characters of the other blocks go by their Unicode script.
RtfScriptClass scriptClassOfScript(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Common:
    case QChar::Script_Inherited:
    case QChar::Script_Unknown:
        return RtfScriptClass::Weak;
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
    case QChar::Script_Yi:
        return RtfScriptClass::Asian;
    case QChar::Script_Arabic:
    case QChar::Script_Hebrew:
    case QChar::Script_Syriac:
    case QChar::Script_Thaana:
    case QChar::Script_Nko:
    case QChar::Script_Devanagari:
    case QChar::Script_Bengali:
    case QChar::Script_Gurmukhi:
    case QChar::Script_Gujarati:
    case QChar::Script_Oriya:
    case QChar::Script_Tamil:
    case QChar::Script_Telugu:
    case QChar::Script_Kannada:
    case QChar::Script_Malayalam:
    case QChar::Script_Sinhala:
    case QChar::Script_Thai:
    case QChar::Script_Lao:
    case QChar::Script_Tibetan:
    case QChar::Script_Myanmar:
    case QChar::Script_Khmer:
    case QChar::Script_Mongolian:
    case QChar::Script_Javanese:
    case QChar::Script_Balinese:
    case QChar::Script_TaiViet:
    case QChar::Script_Cham:
        return RtfScriptClass::Complex;
    default:
        return RtfScriptClass::Latin;
    }
}

} // namespace

RtfScriptClass rtfScriptClassOf(char32_t character)
{
    // Spaces go with the text around them.
    if (character == 0x20 || character == 0xA0 || character == 0x01 || character == 0x02)
        return RtfScriptClass::Weak;
    for (const ScriptRange& range : Ranges) {
        if (character < range.first)
            break;
        if (character <= range.last)
            return range.script;
    }
    return scriptClassOfScript(QChar::script(character));
}
