#include "rtf/RtfKeyword.h"

#include <unordered_map>

namespace {

const std::unordered_map<std::string_view, RtfKeyword>& keywords()
{
    static const std::unordered_map<std::string_view, RtfKeyword> table = [] {
        std::unordered_map<std::string_view, RtfKeyword> map{
            {"mac", RtfKeyword::Mac},
            {"pc", RtfKeyword::Pc},
            {"pca", RtfKeyword::Pca},
            {"ansicpg", RtfKeyword::AnsiCodePage},
            {"deff", RtfKeyword::DefaultFont},
            {"uc", RtfKeyword::UnicodeSkip},
            {"u", RtfKeyword::Unicode},
            {"fonttbl", RtfKeyword::FontTable},
            {"colortbl", RtfKeyword::ColorTable},
            {"pict", RtfKeyword::Picture},
            {"object", RtfKeyword::Object},
            {"result", RtfKeyword::Result},
            {"field", RtfKeyword::Field},
            {"fldinst", RtfKeyword::FieldInstruction},
            {"fldrslt", RtfKeyword::FieldResult},
            {"listtable", RtfKeyword::ListTable},
            {"list", RtfKeyword::List},
            {"listlevel", RtfKeyword::ListLevel},
            {"listoverridetable", RtfKeyword::ListOverrideTable},
            {"listoverride", RtfKeyword::ListOverride},
            {"listid", RtfKeyword::ListId},
            {"pn", RtfKeyword::Pn},
            {"pntxta", RtfKeyword::PnTextAfter},
            {"pntxtb", RtfKeyword::PnTextBefore},
            {"shppict", RtfKeyword::ShapePicture},
            {"shpinst", RtfKeyword::KeepContent},
            {"shptxt", RtfKeyword::KeepContent},
            {"upr", RtfKeyword::KeepContent},
            {"f", RtfKeyword::Font},
            {"fcharset", RtfKeyword::FontCharset},
            {"cpg", RtfKeyword::FontCodePage},
            {"red", RtfKeyword::Red},
            {"green", RtfKeyword::Green},
            {"blue", RtfKeyword::Blue},
            {"plain", RtfKeyword::Plain},
            {"b", RtfKeyword::Bold},
            {"i", RtfKeyword::Italic},
            {"ulnone", RtfKeyword::UnderlineNone},
            {"strike", RtfKeyword::Strike},
            {"striked", RtfKeyword::Strike},
            {"fs", RtfKeyword::FontSize},
            {"cf", RtfKeyword::Foreground},
            {"cb", RtfKeyword::Background},
            {"chcbpat", RtfKeyword::Background},
            {"highlight", RtfKeyword::Highlight},
            {"sub", RtfKeyword::Subscript},
            {"super", RtfKeyword::Superscript},
            {"nosupersub", RtfKeyword::NoSuperSub},
            {"up", RtfKeyword::Up},
            {"dn", RtfKeyword::Down},
            {"v", RtfKeyword::Hidden},
            {"protect", RtfKeyword::Protect},
            {"pard", RtfKeyword::Pard},
            {"par", RtfKeyword::Par},
            {"sect", RtfKeyword::Par},
            {"line", RtfKeyword::Line},
            {"tab", RtfKeyword::Tab},
            {"page", RtfKeyword::Page},
            {"ql", RtfKeyword::AlignLeft},
            {"qr", RtfKeyword::AlignRight},
            {"qc", RtfKeyword::AlignCenter},
            {"qj", RtfKeyword::AlignJustify},
            {"qd", RtfKeyword::AlignJustify},
            {"fi", RtfKeyword::FirstIndent},
            {"li", RtfKeyword::LeftIndent},
            {"lin", RtfKeyword::LeftIndent},
            {"ri", RtfKeyword::RightIndent},
            {"rin", RtfKeyword::RightIndent},
            {"sb", RtfKeyword::SpaceBefore},
            {"sa", RtfKeyword::SpaceAfter},
            {"sl", RtfKeyword::LineSpacing},
            {"slmult", RtfKeyword::LineMultiple},
            {"tx", RtfKeyword::TabStop},
            {"pagebb", RtfKeyword::PageBreakBefore},
            {"intbl", RtfKeyword::InTable},
            {"itap", RtfKeyword::TableDepth},
            {"ls", RtfKeyword::ListOverrideIndex},
            {"ilvl", RtfKeyword::ListLevelIndex},
            {"trowd", RtfKeyword::RowDefaults},
            {"cellx", RtfKeyword::CellBoundary},
            {"cell", RtfKeyword::Cell},
            {"row", RtfKeyword::Row},
            {"nestcell", RtfKeyword::NestedCell},
            {"nestrow", RtfKeyword::NestedRow},
            {"chftn", RtfKeyword::FootnoteNumber},
            {"emdash", RtfKeyword::EmDash},
            {"endash", RtfKeyword::EnDash},
            {"bullet", RtfKeyword::Bullet},
            {"lquote", RtfKeyword::LeftQuote},
            {"rquote", RtfKeyword::RightQuote},
            {"ldblquote", RtfKeyword::LeftDoubleQuote},
            {"rdblquote", RtfKeyword::RightDoubleQuote},
            {"emspace", RtfKeyword::EmSpace},
            {"enspace", RtfKeyword::EnSpace},
            {"qmspace", RtfKeyword::QuarterSpace},
            {"zwj", RtfKeyword::ZeroWidthJoiner},
            {"zwnj", RtfKeyword::ZeroWidthNonJoiner},
            {"ltrmark", RtfKeyword::LeftToRightMark},
            {"rtlmark", RtfKeyword::RightToLeftMark},
            {"pnlvlblt", RtfKeyword::PnBullet},
            {"pnlvlbody", RtfKeyword::PnBody},
            {"pnlvl", RtfKeyword::PnLevel},
            {"pndec", RtfKeyword::PnDecimal},
            {"pnlcltr", RtfKeyword::PnLowerLetter},
            {"pnucltr", RtfKeyword::PnUpperLetter},
            {"pnlcrm", RtfKeyword::PnLowerRoman},
            {"pnucrm", RtfKeyword::PnUpperRoman},
            {"pnstart", RtfKeyword::PnStart},
            {"pnindent", RtfKeyword::PnIndent},
            {"levelnfc", RtfKeyword::LevelNumberFormat},
            {"levelnfcn", RtfKeyword::LevelNumberFormat},
            {"levelstartat", RtfKeyword::LevelStartAt},
            {"pngblip", RtfKeyword::PngBlip},
            {"jpegblip", RtfKeyword::JpegBlip},
            {"dibitmap", RtfKeyword::DeviceIndependentBitmap},
            {"wbitmap", RtfKeyword::WindowsBitmap},
            {"wmetafile", RtfKeyword::WindowsMetafile},
            {"emfblip", RtfKeyword::EnhancedMetafile},
            {"macpict", RtfKeyword::OtherPicture},
            {"pmmetafile", RtfKeyword::OtherPicture},
            {"picw", RtfKeyword::PictureWidth},
            {"pich", RtfKeyword::PictureHeight},
            {"picwgoal", RtfKeyword::PictureGoalWidth},
            {"pichgoal", RtfKeyword::PictureGoalHeight},
            {"picscalex", RtfKeyword::PictureScaleX},
            {"picscaley", RtfKeyword::PictureScaleY},
            {"wbmbitspixel", RtfKeyword::BitmapBitsPerPixel},
            {"wbmwidthbytes", RtfKeyword::BitmapBytesPerLine},
            {"bin", RtfKeyword::Binary},
            {"objw", RtfKeyword::ObjectWidth},
            {"objh", RtfKeyword::ObjectHeight},
        };
        // Every kind of underline reads as underline.
        for (std::string_view word :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
              "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            map.emplace(word, RtfKeyword::Underline);
        // Destinations whose content is not part of the text.
        for (std::string_view word : {"stylesheet",
                                      "info",
                                      "header",
                                      "headerl",
                                      "headerr",
                                      "headerf",
                                      "footer",
                                      "footerl",
                                      "footerr",
                                      "footerf",
                                      "footnote",
                                      "pntext",
                                      "listtext",
                                      "nonshppict",
                                      "nonesttables",
                                      "themedata",
                                      "colorschememapping",
                                      "datastore",
                                      "latentstyles",
                                      "xmlnstbl",
                                      "rsidtbl",
                                      "mmathPr",
                                      "generator",
                                      "pgdsctbl",
                                      "revtbl",
                                      "filetbl",
                                      "template",
                                      "docvar",
                                      "bkmkstart",
                                      "bkmkend",
                                      "annotation",
                                      "atnid",
                                      "atnauthor",
                                      "atndate",
                                      "atnref",
                                      "atrfstart",
                                      "atrfend",
                                      "objdata",
                                      "objclass",
                                      "objname",
                                      "blipuid",
                                      "picprop",
                                      "ud",
                                      "xe",
                                      "tc",
                                      "txe",
                                      "userprops",
                                      "ftnsep",
                                      "ftnsepc",
                                      "ftncn",
                                      "aftnsep",
                                      "aftnsepc",
                                      "aftncn",
                                      "fname",
                                      "falt",
                                      "panose",
                                      "leveltext",
                                      "levelnumbers",
                                      "listname",
                                      "sp",
                                      "shprslt",
                                      "protusertbl",
                                      "pnseclvl",
                                      "fldtype",
                                      "datafield",
                                      "formfield",
                                      "wgrffmtfilter",
                                      "passwordhash",
                                      "htmltag",
                                      "mhtmltag",
                                      "keywords",
                                      "subject",
                                      "title",
                                      "author",
                                      "operator",
                                      "comment",
                                      "doccomm"})
            map.emplace(word, RtfKeyword::SkipDestination);
        return map;
    }();
    return table;
}

} // namespace

RtfKeyword rtfKeyword(std::string_view word)
{
    const auto& table = keywords();
    const auto found = table.find(word);
    return found == table.end() ? RtfKeyword::Unknown : found->second;
}

bool producesContent(RtfKeyword keyword)
{
    switch (keyword) {
    case RtfKeyword::Unicode:
    case RtfKeyword::Par:
    case RtfKeyword::Line:
    case RtfKeyword::Tab:
    case RtfKeyword::Page:
    case RtfKeyword::Cell:
    case RtfKeyword::Row:
    case RtfKeyword::NestedCell:
    case RtfKeyword::NestedRow:
    case RtfKeyword::FootnoteNumber:
    case RtfKeyword::EmDash:
    case RtfKeyword::EnDash:
    case RtfKeyword::Bullet:
    case RtfKeyword::LeftQuote:
    case RtfKeyword::RightQuote:
    case RtfKeyword::LeftDoubleQuote:
    case RtfKeyword::RightDoubleQuote:
    case RtfKeyword::EmSpace:
    case RtfKeyword::EnSpace:
    case RtfKeyword::QuarterSpace:
    case RtfKeyword::ZeroWidthJoiner:
    case RtfKeyword::ZeroWidthNonJoiner:
    case RtfKeyword::LeftToRightMark:
    case RtfKeyword::RightToLeftMark:
    case RtfKeyword::Binary:
        return true;
    default:
        return false;
    }
}

char16_t specialCharacter(RtfKeyword keyword)
{
    switch (keyword) {
    case RtfKeyword::EmDash:
        return 0x2014;
    case RtfKeyword::EnDash:
        return 0x2013;
    case RtfKeyword::Bullet:
        return 0x2022;
    case RtfKeyword::LeftQuote:
        return 0x2018;
    case RtfKeyword::RightQuote:
        return 0x2019;
    case RtfKeyword::LeftDoubleQuote:
        return 0x201C;
    case RtfKeyword::RightDoubleQuote:
        return 0x201D;
    case RtfKeyword::EmSpace:
        return 0x2003;
    case RtfKeyword::EnSpace:
        return 0x2002;
    case RtfKeyword::QuarterSpace:
        return 0x2005;
    case RtfKeyword::ZeroWidthJoiner:
        return 0x200D;
    case RtfKeyword::ZeroWidthNonJoiner:
        return 0x200C;
    case RtfKeyword::LeftToRightMark:
        return 0x200E;
    case RtfKeyword::RightToLeftMark:
        return 0x200F;
    default:
        return 0;
    }
}
