#include "widgets/TZvFontComboBox.h"

#include "widgets/FontKindGlyphs.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Box = TZvFontComboBox;

const QString unknownFace = QStringLiteral("Zorvan Unknown Face");

// The face the font system draws for "MS Sans Serif", listed among the screen
// faces so that the substitute has an entry to select.
QString sansSubstitute()
{
    return Registry::fontSubstitute(QStringLiteral("MS Sans Serif"));
}

QList<FontFace> screenFaces()
{
    return {{sansSubstitute(), TRUETYPE_FONTTYPE, ANSI_CHARSET, VARIABLE_PITCH},
            {QStringLiteral("Nimbus Mono PS"), TRUETYPE_FONTTYPE, ANSI_CHARSET, FIXED_PITCH},
            {QStringLiteral("fixed bitmap"), RASTER_FONTTYPE, ANSI_CHARSET, FIXED_PITCH},
            {QStringLiteral("Terminal"), RASTER_FONTTYPE, OEM_CHARSET, FIXED_PITCH},
            {QStringLiteral("OpenSymbol"), TRUETYPE_FONTTYPE, SYMBOL_CHARSET, VARIABLE_PITCH},
            {QStringLiteral("nimbus mono ps"), TRUETYPE_FONTTYPE, ANSI_CHARSET, FIXED_PITCH}};
}

FontSources fakeSources(bool withPrinter = true)
{
    return {screenFaces, [withPrinter] {
                return withPrinter ? QList<FontFace>{{QStringLiteral("Printer Gothic"), DEVICE_FONTTYPE,
                                                      ANSI_CHARSET, VARIABLE_PITCH}}
                                   : QList<FontFace>{};
            }};
}

QStringList listed(const Box& box)
{
    QStringList names;
    for (int index = 0; index < box.count(); ++index)
        names.append(box.itemText(index));
    return names;
}

TEST(TZvFontComboBoxTest, TheSubstituteOfTheDesignFaceIsAnInstalledFamily)
{
    ASSERT_FALSE(sansSubstitute().isEmpty()) << "the fixtures below need it";
}

TEST(TZvFontComboBoxTest, TheSystemListsItsInstalledFamiliesByTheirOwnNames)
{
    Box box;
    box.setFontName(QStringLiteral("MS Sans Serif"));
    ASSERT_GT(box.count(), 0);
    EXPECT_EQ(box.FontName(), sansSubstitute());
    for (const QString& name : listed(box)) {
        EXPECT_TRUE(QFontDatabase::hasFamily(name)) << name.toStdString();
        EXPECT_FALSE(name.contains(u'[')) << name.toStdString() << ": no foundry";
        EXPECT_NE(name, QStringLiteral("Sans Serif")) << "no generic family";
    }
}

struct FontNameRow
{
    const char* name;
    QString written;
    Box::TZvFontComboOptions options;
    QString reads;
};

class TZvFontComboBoxFontNameTest : public ::testing::TestWithParam<FontNameRow>
{
};

TEST_P(TZvFontComboBoxFontNameTest, WritingSelectsTheMatchingEntryAndFiresNoChange)
{
    const FontNameRow row = GetParam();
    Box box(nullptr, fakeSources());
    box.setOptions(row.options);
    int changes = 0;
    box.OnChange = [&changes](Box*) { ++changes; };
    box.setFontName(QStringLiteral("OpenSymbol"));
    box.setFontName(row.written);
    EXPECT_EQ(box.FontName(), row.reads);
    EXPECT_EQ(box.currentText(), row.reads) << "the box shows what FontName reads";
    EXPECT_EQ(changes, 0);
    if (row.options.testFlag(Box::foDisableVerify)) {
        EXPECT_EQ(box.fontTypeAt(box.ItemIndex()), TRUETYPE_FONTTYPE);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TZvFontComboBoxFontNameTest,
    ::testing::Values(
        FontNameRow{
            "OtherLetterCase", QStringLiteral("NIMBUS mono ps"), {}, QStringLiteral("Nimbus Mono PS")},
        FontNameRow{"ThroughTheSubstitutes", QStringLiteral("ms sans serif"), {}, sansSubstitute()},
        FontNameRow{"UnknownReadsEmpty", unknownFace, {}, QString()},
        FontNameRow{"UnknownAppendedWithoutVerify", unknownFace, Box::foDisableVerify, unknownFace},
        FontNameRow{"EmptyIsIgnored", QString(), {}, QStringLiteral("OpenSymbol")}),
    [](const ::testing::TestParamInfo<FontNameRow>& info) { return std::string(info.param.name); });

struct FilterRow
{
    const char* name;
    Box::TFontDialogDevice device;
    Box::TZvFontComboOptions options;
    bool sorted;
    bool printerInstalled;
    QStringList names;
};

class TZvFontComboBoxFilterTest : public ::testing::TestWithParam<FilterRow>
{
};

TEST_P(TZvFontComboBoxFilterTest, ListsEachPassingFaceOnceInTheSystemsOrder)
{
    const FilterRow row = GetParam();
    Box box(nullptr, fakeSources(row.printerInstalled));
    box.setDevice(row.device);
    box.setOptions(row.options);
    box.setSorted(row.sorted);
    box.setFontName(QStringLiteral("Terminal"));
    QStringList expected = row.names;
    expected.replaceInStrings(QRegularExpression(QStringLiteral("^sans$")), sansSubstitute());
    EXPECT_EQ(listed(box), expected);
}

// "sans" in a row stands for the substitute of "MS Sans Serif".
const char* const sans = "sans";
INSTANTIATE_TEST_SUITE_P(
    Rows, TZvFontComboBoxFilterTest,
    ::testing::Values(FilterRow{"Everything",
                                Box::fdScreen,
                                {},
                                false,
                                true,
                                {sans, "Nimbus Mono PS", "fixed bitmap", "Terminal", "OpenSymbol"}},
                      FilterRow{"AnsiOnly",
                                Box::fdScreen,
                                Box::foAnsiOnly,
                                false,
                                true,
                                {sans, "Nimbus Mono PS", "fixed bitmap"}},
                      FilterRow{"TrueTypeOnly",
                                Box::fdScreen,
                                Box::foTrueTypeOnly,
                                false,
                                true,
                                {sans, "Nimbus Mono PS", "OpenSymbol"}},
                      FilterRow{"ScalableOnly",
                                Box::fdScreen,
                                Box::foScalableOnly,
                                false,
                                true,
                                {sans, "Nimbus Mono PS", "OpenSymbol"}},
                      FilterRow{"FixedPitchOnly",
                                Box::fdScreen,
                                Box::foFixedPitchOnly,
                                false,
                                true,
                                {"Nimbus Mono PS", "fixed bitmap", "Terminal"}},
                      FilterRow{"NoOemFonts",
                                Box::fdScreen,
                                Box::foNoOEMFonts,
                                false,
                                true,
                                {sans, "Nimbus Mono PS", "fixed bitmap", "OpenSymbol"}},
                      FilterRow{
                          "OemFontsOnly", Box::fdScreen, Box::foOEMFontsOnly, false, true, {"Terminal"}},
                      FilterRow{"FixedAndTrueType",
                                Box::fdScreen,
                                Box::foFixedPitchOnly | Box::foTrueTypeOnly,
                                false,
                                true,
                                {"Nimbus Mono PS"}},
                      FilterRow{"SortedIgnoringCase",
                                Box::fdScreen,
                                Box::foFixedPitchOnly,
                                true,
                                true,
                                {"fixed bitmap", "Nimbus Mono PS", "Terminal"}},
                      FilterRow{"PrinterOnly", Box::fdPrinter, {}, false, true, {"Printer Gothic"}},
                      FilterRow{"NoPrinterNoFaces", Box::fdPrinter, {}, false, false, {}},
                      FilterRow{"ScreenBeforePrinter",
                                Box::fdBoth,
                                Box::foAnsiOnly,
                                false,
                                true,
                                {sans, "Nimbus Mono PS", "fixed bitmap", "Printer Gothic"}}),
    [](const ::testing::TestParamInfo<FilterRow>& info) { return std::string(info.param.name); });

TEST(TZvFontComboBoxTest, ChangingTheFiltersKeepsTheSelectedName)
{
    Box box(nullptr, fakeSources());
    box.setFontName(QStringLiteral("Nimbus Mono PS"));
    box.setOptions(Box::foFixedPitchOnly);
    box.setDevice(Box::fdBoth);
    box.setSorted(true);
    EXPECT_EQ(box.FontName(), QStringLiteral("Nimbus Mono PS"));
    box.setOptions(Box::foPreviewFont | Box::foWysiWyg);
    EXPECT_EQ(box.Options(), Box::foPreviewFont) << "the preview drops the names in their own face";
}

TEST(TZvFontComboBoxTest, EachPickOfTheUserFiresOneChange)
{
    QWidget window;
    Box box(&window, fakeSources());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList picks;
    box.OnChange = [&picks](Box* sender) { picks.append(sender->FontName()); };

    box.setItemIndex(0);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Down); // on the closed box
    box.showPopup();
    QAbstractItemView* list = box.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QRect row = list->visualRect(box.model()->index(4, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(picks, QStringList({QStringLiteral("Nimbus Mono PS"), QStringLiteral("OpenSymbol")}));
}

TEST(TZvFontComboBoxTest, ATypedLetterPicksTheNextFaceBeginningWithItAndMayDropTheListDown)
{
    QWidget window;
    Box box(&window, fakeSources());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList picks;
    box.OnChange = [&picks](Box* sender) { picks.append(sender->FontName()); };
    box.setItemIndex(0);
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("nFx")); // each letter on its own, however quickly typed
    EXPECT_EQ(picks, QStringList({QStringLiteral("Nimbus Mono PS"), QStringLiteral("fixed bitmap")}))
        << "no face begins with X";
    EXPECT_FALSE(box.view()->isVisible());

    box.setAutoDropDown(true);
    QTest::keyClick(&box, Qt::Key_T);
    EXPECT_TRUE(box.view()->isVisible());
    box.hidePopup();
}

TEST(TZvFontComboBoxTest, PicksGatherInTheRecentlyUsedBlockAtTheTop)
{
    Box box(nullptr, fakeSources());
    box.setSorted(true);
    box.setOptions(Box::foMRU);
    EXPECT_FALSE(box.Sorted()) << "the recently-used block is never sorted away";
    const qsizetype faces = box.count();
    const QString sans = sansSubstitute();
    auto pick = [&box](const QString& name) { Q_EMIT box.activated(box.findText(name)); };

    pick(QStringLiteral("Terminal"));
    pick(QStringLiteral("OpenSymbol"));
    EXPECT_EQ(box.mruCount(), 2);
    EXPECT_EQ(listed(box).mid(0, 3), QStringList({"OpenSymbol", "Terminal", sans}));
    EXPECT_EQ(box.FontName(), QStringLiteral("OpenSymbol"));
    box.setCurrentIndex(1);
    pick(QStringLiteral("Terminal")); // inside the block: moves up
    EXPECT_EQ(listed(box).mid(0, 2), QStringList({"Terminal", "OpenSymbol"}));

    box.setMaxMRUCount(2); // full: the top entry is overwritten
    pick(QStringLiteral("fixed bitmap"));
    EXPECT_EQ(listed(box).mid(0, 2), QStringList({"fixed bitmap", "OpenSymbol"}));
    EXPECT_EQ(box.count(), faces + 2);

    box.setMaxMRUCount(1); // entries leave from the top
    EXPECT_EQ(listed(box).mid(0, 2), QStringList({"OpenSymbol", sans}));
    box.setDevice(Box::fdBoth); // a refill keeps the block
    EXPECT_EQ(box.itemText(0), QStringLiteral("OpenSymbol"));
    box.setOptions({});
    EXPECT_EQ(box.mruCount(), 0);
    EXPECT_EQ(box.count(), faces + 1) << "the printer's face joined, the block left";
}

TEST(TZvFontComboBoxTest, TheHighlightCoversTheNameAndSixPixelsButNotTheGlyph)
{
    Box box(nullptr, fakeSources());
    box.setHiliteColor(QColor(0, 0, 0x80));
    box.setFontName(QStringLiteral("fixed bitmap"));
    const QRect row(0, 0, 200, box.itemHeight());
    QImage image(row.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    box.paintEntry(painter, row, box.ItemIndex(), true, Box::EntryPlace::ListRow);
    painter.end();

    const QRect area = box.nameArea(row, box.ItemIndex());
    const int nameWidth = box.fontMetrics().horizontalAdvance(QStringLiteral("fixed bitmap"));
    EXPECT_EQ(area.left(), 16 + 6) << "right of the glyph and its gap";
    EXPECT_EQ(area.width(), nameWidth + 6);
    const int middle = area.center().y();
    const QRgb base = box.palette().color(QPalette::Base).rgb();
    EXPECT_EQ(image.pixel(area.right() - 1, middle), QColor(0, 0, 0x80).rgb());
    EXPECT_EQ(image.pixel(area.right() + 1, middle), base);
    // The glyph of a raster face is the page with the red A, on the plain background.
    const QImage glyph = FontKindGlyphs::other().toImage();
    const int glyphTop = (1 + 1 + row.height() - 1 - 16) / 2;
    EXPECT_EQ(image.pixel(1, middle), base);
    EXPECT_EQ(image.pixel(2 + 8, glyphTop + 4), glyph.pixel(8, 4));
}

} // namespace

TEST(TZvFontComboBoxTest, APreviewIsOfferedOnlyWhereItFitsAndTheHostHasTheLastWord)
{
    Box box(nullptr, fakeSources());
    box.setOptions(Box::foPreviewFont);
    box.setFontName(QStringLiteral("Nimbus Mono PS"));
    QList<bool> offered;
    box.OnDrawPreviewEvent = [&offered](Box*, const QString& face, QString& text, int&, bool& draw) {
        EXPECT_EQ(face, QStringLiteral("Nimbus Mono PS"));
        EXPECT_EQ(text, QStringLiteral("AbCdEfGhIj"));
        offered.append(draw);
        draw = false; // the host vetoes every preview
    };
    auto paint = [&box](int width) {
        QImage image(width, box.itemHeight(), QImage::Format_RGB32);
        QPainter painter(&image);
        box.paintEntry(painter, image.rect(), box.ItemIndex(), false, Box::EntryPlace::ListRow);
        return image;
    };
    const QImage vetoed = paint(400);
    paint(60);
    EXPECT_EQ(offered, QList<bool>({true, false}));

    box.OnDrawPreviewEvent = nullptr;
    EXPECT_NE(paint(400), vetoed) << "without the veto the preview is drawn";
}

TEST(TZvFontComboBoxTest, ALongNameInTheClosedBoxStopsShortOfTheArrow)
{
    auto arrowOf = [](const QString& name) {
        Box box(nullptr, fakeSources());
        box.setOptions(Box::foDisableVerify);
        box.setFixedSize(130, 22);
        box.setFontName(name);
        QStyleOptionComboBox option;
        option.initFrom(&box);
        const QRect arrow =
            box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &box);
        return box.grab(arrow).toImage();
    };
    EXPECT_EQ(arrowOf(QStringLiteral("A long face name that no box of 130 pixels can show")),
              arrowOf(QStringLiteral("OpenSymbol")));
}
