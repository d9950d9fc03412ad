#include "rtf/RtfKeyword.h"

#include <unordered_map>

namespace {

using KeywordTable = std::unordered_map<std::string_view, RtfControlWord>;

const KeywordTable& keywords()
{
    static const KeywordTable table = [] {
        KeywordTable map;
        const auto add = [&map](std::string_view name, auto word) {
            map.emplace(name, RtfControlWord::of(word));
        };
        map.emplace("bin", RtfControlWord::binary());
        add("mac", RtfDocumentWord::Mac);
        add("pc", RtfDocumentWord::Pc);
        add("pca", RtfDocumentWord::Pca);
        add("ansicpg", RtfDocumentWord::AnsiCodePage);
        add("deff", RtfDocumentWord::DefaultFont);
        add("deflang", RtfDocumentWord::DefaultLanguage);
        add("uc", RtfDocumentWord::UnicodeSkip);
        add("u", RtfContentWord::Unicode);
        add("fonttbl", RtfDestinationWord::FontTable);
        add("colortbl", RtfDestinationWord::ColorTable);
        add("pict", RtfDestinationWord::Picture);
        add("object", RtfDestinationWord::Object);
        add("result", RtfDestinationWord::Result);
        add("field", RtfDestinationWord::Field);
        add("fldinst", RtfDestinationWord::FieldInstruction);
        add("fldrslt", RtfDestinationWord::FieldResult);
        add("listtable", RtfDestinationWord::ListTable);
        add("list", RtfDestinationWord::List);
        add("listlevel", RtfDestinationWord::ListLevel);
        add("leveltext", RtfDestinationWord::LevelText);
        add("listoverridetable", RtfDestinationWord::ListOverrideTable);
        add("listoverride", RtfDestinationWord::ListOverride);
        add("listid", RtfListWord::ListId);
        add("pn", RtfDestinationWord::Pn);
        add("pntxta", RtfDestinationWord::PnTextAfter);
        add("pntxtb", RtfDestinationWord::PnTextBefore);
        add("shppict", RtfDestinationWord::ShapePicture);
        add("nonshppict", RtfDestinationWord::NonShapePicture);
        add("shp", RtfDestinationWord::Shape);
        add("shpinst", RtfDestinationWord::KeepContent);
        add("shptxt", RtfDestinationWord::ShapeText);
        add("sp", RtfDestinationWord::ShapeProperty);
        add("sn", RtfDestinationWord::PropertyName);
        add("sv", RtfDestinationWord::PropertyValue);
        add("shprslt", RtfDestinationWord::ShapeResult);
        add("shpleft", RtfShapeWord::Left);
        add("shptop", RtfShapeWord::Top);
        add("shpright", RtfShapeWord::Right);
        add("shpbottom", RtfShapeWord::Bottom);
        add("upr", RtfDestinationWord::KeepContent);
        add("f", RtfFontWord::Font);
        add("fcharset", RtfFontWord::Charset);
        add("cpg", RtfFontWord::CodePage);
        add("red", RtfColorWord::Red);
        add("green", RtfColorWord::Green);
        add("blue", RtfColorWord::Blue);
        add("plain", RtfCharacterWord::Plain);
        add("b", RtfCharacterWord::Bold);
        add("i", RtfCharacterWord::Italic);
        add("ulnone", RtfCharacterWord::UnderlineNone);
        add("strike", RtfCharacterWord::Strike);
        add("striked", RtfCharacterWord::Strike);
        add("fs", RtfCharacterWord::FontSize);
        add("cf", RtfCharacterWord::Foreground);
        add("cb", RtfCharacterWord::Background);
        add("chcbpat", RtfCharacterWord::Background);
        add("highlight", RtfCharacterWord::Background);
        add("sub", RtfCharacterWord::Subscript);
        add("super", RtfCharacterWord::Superscript);
        add("nosupersub", RtfCharacterWord::NoSuperSub);
        add("up", RtfCharacterWord::Up);
        add("dn", RtfCharacterWord::Down);
        add("v", RtfCharacterWord::Hidden);
        add("protect", RtfCharacterWord::Protect);
        add("lang", RtfCharacterWord::Language);
        add("noproof", RtfCharacterWord::NoProof);
        add("af", RtfCharacterWord::AssociatedFont);
        add("afs", RtfCharacterWord::AssociatedFontSize);
        add("loch", RtfCharacterWord::LowAnsi);
        add("hich", RtfCharacterWord::HighAnsi);
        add("dbch", RtfCharacterWord::DoubleByte);
        add("ltrch", RtfCharacterWord::LeftToRight);
        add("rtlch", RtfCharacterWord::RightToLeft);
        add("pard", RtfParagraphWord::Pard);
        add("par", RtfContentWord::Par);
        add("sect", RtfContentWord::Par);
        add("line", RtfContentWord::Line);
        add("tab", RtfContentWord::Tab);
        add("page", RtfContentWord::Page);
        add("ql", RtfParagraphWord::AlignLeft);
        add("qr", RtfParagraphWord::AlignRight);
        add("qc", RtfParagraphWord::AlignCenter);
        add("qj", RtfParagraphWord::AlignJustify);
        add("qd", RtfParagraphWord::AlignJustify);
        add("fi", RtfParagraphWord::FirstIndent);
        add("li", RtfParagraphWord::LeftIndent);
        add("lin", RtfParagraphWord::LeftIndent);
        add("ri", RtfParagraphWord::RightIndent);
        add("rin", RtfParagraphWord::RightIndent);
        add("sb", RtfParagraphWord::SpaceBefore);
        add("sa", RtfParagraphWord::SpaceAfter);
        add("sl", RtfParagraphWord::LineSpacing);
        add("slmult", RtfParagraphWord::LineMultiple);
        add("tx", RtfParagraphWord::TabStop);
        add("pagebb", RtfParagraphWord::PageBreakBefore);
        add("intbl", RtfParagraphWord::InTable);
        add("itap", RtfParagraphWord::TableDepth);
        add("ls", RtfListWord::ListOverrideIndex);
        add("ilvl", RtfParagraphWord::ListLevelIndex);
        add("trowd", RtfTableWord::RowDefaults);
        add("cellx", RtfTableWord::CellBoundary);
        add("cell", RtfContentWord::Cell);
        add("row", RtfContentWord::Row);
        add("nestcell", RtfContentWord::NestedCell);
        add("nestrow", RtfContentWord::NestedRow);
        add("chftn", RtfContentWord::FootnoteNumber);
        add("footnote", RtfDestinationWord::Footnote);
        add("do", RtfDestinationWord::Drawing);
        add("dptxbxtext", RtfDestinationWord::DrawingText);
        add("chpgn", RtfContentWord::PageNumber);
        add("chdate", RtfContentWord::CurrentDate);
        add("chtime", RtfContentWord::CurrentTime);
        add("emdash", RtfContentWord::EmDash);
        add("endash", RtfContentWord::EnDash);
        add("bullet", RtfContentWord::Bullet);
        add("lquote", RtfContentWord::LeftQuote);
        add("rquote", RtfContentWord::RightQuote);
        add("ldblquote", RtfContentWord::LeftDoubleQuote);
        add("rdblquote", RtfContentWord::RightDoubleQuote);
        add("emspace", RtfContentWord::EmSpace);
        add("enspace", RtfContentWord::EnSpace);
        add("qmspace", RtfContentWord::QuarterSpace);
        add("zwj", RtfContentWord::ZeroWidthJoiner);
        add("zwnj", RtfContentWord::ZeroWidthNonJoiner);
        add("ltrmark", RtfContentWord::LeftToRightMark);
        add("rtlmark", RtfContentWord::RightToLeftMark);
        add("pnlvlblt", RtfListWord::PnBullet);
        add("pnlvlbody", RtfListWord::PnBody);
        add("pnlvl", RtfListWord::PnLevel);
        add("pndec", RtfListWord::PnDecimal);
        add("pnlcltr", RtfListWord::PnLowerLetter);
        add("pnucltr", RtfListWord::PnUpperLetter);
        add("pnlcrm", RtfListWord::PnLowerRoman);
        add("pnucrm", RtfListWord::PnUpperRoman);
        add("pnstart", RtfListWord::PnStart);
        add("pnindent", RtfListWord::PnIndent);
        add("levelnfc", RtfListWord::LevelNumberFormat);
        add("levelnfcn", RtfListWord::LevelNumberFormat);
        add("levelstartat", RtfListWord::LevelStartAt);
        add("levellegal", RtfListWord::LevelLegal);
        add("pngblip", RtfPictureWord::PngBlip);
        add("jpegblip", RtfPictureWord::JpegBlip);
        add("dibitmap", RtfPictureWord::DeviceIndependentBitmap);
        add("wbitmap", RtfPictureWord::WindowsBitmap);
        add("wmetafile", RtfPictureWord::WindowsMetafile);
        add("emfblip", RtfPictureWord::EnhancedMetafile);
        add("macpict", RtfPictureWord::OtherPicture);
        add("pmmetafile", RtfPictureWord::OtherPicture);
        add("picw", RtfPictureWord::Width);
        add("pich", RtfPictureWord::Height);
        add("picwgoal", RtfPictureWord::GoalWidth);
        add("pichgoal", RtfPictureWord::GoalHeight);
        add("picscalex", RtfPictureWord::ScaleX);
        add("picscaley", RtfPictureWord::ScaleY);
        add("wbmbitspixel", RtfPictureWord::BitmapBitsPerPixel);
        add("wbmwidthbytes", RtfPictureWord::BitmapBytesPerLine);
        add("objw", RtfPictureWord::ObjectWidth);
        add("objh", RtfPictureWord::ObjectHeight);
        // Every kind of underline reads as underline.
        for (std::string_view word :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
              "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            add(word, RtfCharacterWord::Underline);
        // Destinations whose content is not part of the text, kept in columns (clang-format
        // would give each name a line of its own).
        // clang-format off
        for (std::string_view word : {"stylesheet",   "info",          "header",
                                      "headerl",      "headerr",       "headerf",
                                      "footer",       "footerl",       "footerr",
                                      "footerf",      "pntext",        "listtext",
                                      "nonesttables", "themedata",     "colorschememapping",
                                      "datastore",    "latentstyles",  "xmlnstbl",
                                      "rsidtbl",      "mmathPr",       "generator",
                                      "pgdsctbl",     "revtbl",        "filetbl",
                                      "template",     "docvar",        "bkmkstart",
                                      "bkmkend",      "annotation",    "atnid",
                                      "atnauthor",    "atndate",       "atnref",
                                      "atrfstart",    "atrfend",       "objdata",
                                      "objclass",     "objname",       "blipuid",
                                      "picprop",      "ud",            "xe",
                                      "tc",           "txe",           "userprops",
                                      "ftnsep",       "ftnsepc",       "ftncn",
                                      "aftnsep",      "aftnsepc",      "aftncn",
                                      "fname",        "falt",          "panose",
                                      "levelnumbers", "listname",      "protusertbl",
                                      "pnseclvl",     "fldtype",       "datafield",
                                      "formfield",    "wgrffmtfilter", "passwordhash",
                                      "htmltag",      "mhtmltag",      "keywords",
                                      "subject",      "title",         "author",
                                      "operator",     "comment",       "doccomm"})
            add(word, RtfDestinationWord::Skip);
        // clang-format on
        return map;
    }();
    return table;
}

} // namespace

RtfControlWord rtfControlWord(std::string_view name)
{
    const KeywordTable& table = keywords();
    const auto found = table.find(name);
    return found == table.end() ? RtfControlWord() : found->second;
}

char16_t rtfSpecialCharacter(RtfContentWord word)
{
    switch (word) {
    case RtfContentWord::EmDash:
        return 0x2014;
    case RtfContentWord::EnDash:
        return 0x2013;
    case RtfContentWord::Bullet:
        return 0x2022;
    case RtfContentWord::LeftQuote:
        return 0x2018;
    case RtfContentWord::RightQuote:
        return 0x2019;
    case RtfContentWord::LeftDoubleQuote:
        return 0x201C;
    case RtfContentWord::RightDoubleQuote:
        return 0x201D;
    case RtfContentWord::EmSpace:
        return 0x2003;
    case RtfContentWord::EnSpace:
        return 0x2002;
    case RtfContentWord::QuarterSpace:
        return 0x2005;
    case RtfContentWord::ZeroWidthJoiner:
        return 0x200D;
    case RtfContentWord::ZeroWidthNonJoiner:
        return 0x200C;
    case RtfContentWord::LeftToRightMark:
        return 0x200E;
    case RtfContentWord::RightToLeftMark:
        return 0x200F;
    case RtfContentWord::Unicode:
    case RtfContentWord::Par:
    case RtfContentWord::Page:
    case RtfContentWord::Line:
    case RtfContentWord::Tab:
    case RtfContentWord::Cell:
    case RtfContentWord::Row:
    case RtfContentWord::NestedCell:
    case RtfContentWord::NestedRow:
    case RtfContentWord::FootnoteNumber:
    case RtfContentWord::PageNumber:
    case RtfContentWord::CurrentDate:
    case RtfContentWord::CurrentTime:
        return 0;
    }
    return 0;
}
