// The flat menu renderer as a component: which menus and controls it
// restyles, giving them back their previous styles, the items and forms it
// leaves alone, the popup frame, and handing it on to forms shown later.

#include "widgets/TZvFlatMenu.h"

#include "widgets/TZvFlatMenuStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommonStyle>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyleOption>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

namespace {

class TZvFlatMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&form);
        bar = new QMenuBar(&form);
        layout->setMenuBar(bar);
        fileMenu = bar->addMenu(QStringLiteral("&Soubor"));
        fileMenu->addAction(QStringLiteral("Nový"));
        subMenu = fileMenu->addMenu(QStringLiteral("Další"));
        popup = new QMenu(&form);
        popup->addAction(QStringLiteral("Kopírovat"));
        taggedMenu = new QMenu(&form);
        taggedMenu->setProperty("Tag", 999);
        for (QWidget* widget : std::initializer_list<QWidget*>{edit, combo, check, radio, spin, ownStyled,
                                                               tagged, group, taggedGroup})
            layout->addWidget(widget);
        ownStyled->setStyle(&ownStyle);
        tagged->setProperty("Tag", 999);
        taggedGroup->setProperty("Tag", 999);
        (new QVBoxLayout(group))->addWidget(inGroup);
        (new QVBoxLayout(taggedGroup))->addWidget(inTaggedGroup);
        form.show();
    }

    QCommonStyle ownStyle; // outlives the form, whose edit uses it
    QWidget form;
    QMenuBar* bar = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* subMenu = nullptr;
    QMenu* popup = nullptr;
    QMenu* taggedMenu = nullptr;
    QLineEdit* edit = new QLineEdit;
    QComboBox* combo = new QComboBox;
    QCheckBox* check = new QCheckBox(QStringLiteral("Zalamovat"));
    QRadioButton* radio = new QRadioButton(QStringLiteral("Vlevo"));
    QSpinBox* spin = new QSpinBox;
    QLineEdit* ownStyled = new QLineEdit;
    QLineEdit* tagged = new QLineEdit;
    QGroupBox* group = new QGroupBox(QStringLiteral("Odsazení"));
    QLineEdit* inGroup = new QLineEdit;
    QGroupBox* taggedGroup = new QGroupBox(QStringLiteral("Mezery"));
    QLineEdit* inTaggedGroup = new QLineEdit;
};

} // namespace

TEST_F(TZvFlatMenuTest, SwitchingActiveOffGivesEveryMenuAndControlItsPreviousStyleBack)
{
    const struct
    {
        QWidget* widget;
        bool restyled;
    } rows[] = {{bar, true},         {fileMenu, true}, {subMenu, true},      {popup, true},
                {taggedMenu, false}, {edit, true},     {combo, true},        {check, true},
                {radio, true},       {spin, true},     {group, true},        {inGroup, true},
                {ownStyled, false},  {tagged, false},  {taggedGroup, false}, {inTaggedGroup, false}};
    std::vector<QStyle*> before;
    std::vector<bool> hoverBefore;
    for (const auto& row : rows) {
        before.push_back(row.widget->style());
        hoverBefore.push_back(row.widget->testAttribute(Qt::WA_Hover));
    }
    TZvFlatMenu renderer(&form);
    for (int round = 0; round < 2; ++round) {
        renderer.setActive(true);
        for (const auto& row : rows) {
            const QString name = QString::fromLatin1(row.widget->metaObject()->className());
            EXPECT_EQ(row.widget->style() == renderer.style(), row.restyled) << name.toStdString();
            if (row.restyled) {
                EXPECT_TRUE(row.widget->testAttribute(Qt::WA_Hover)) << name.toStdString();
            }
        }
        renderer.setActive(false);
        for (size_t index = 0; index < std::size(rows); ++index) {
            EXPECT_EQ(rows[index].widget->style(), before[index]) << index;
            EXPECT_EQ(rows[index].widget->testAttribute(Qt::WA_Hover), hoverBefore[index]) << index;
        }
    }
}

TEST_F(TZvFlatMenuTest, OverrideOwnerDrawAndFlatControlsRestyleAgainWhileActive)
{
    TZvFlatMenu renderer(&form);
    renderer.setActive(true);
    renderer.setOverrideOwnerDraw(true);
    EXPECT_EQ(ownStyled->style(), renderer.style());
    renderer.setOverrideOwnerDraw(false);
    EXPECT_EQ(ownStyled->style(), &ownStyle);

    renderer.setFlatControls(allFlatControls & ~TFlatControls(fcEdit));
    EXPECT_EQ(edit->style(), QApplication::style());
    EXPECT_EQ(combo->style(), renderer.style());
    renderer.setFlatContainers(allFlatContainers & ~TFlatContainers(fccGroupBox));
    EXPECT_EQ(check->style(), renderer.style());
    EXPECT_EQ(group->style(), renderer.style());
    EXPECT_EQ(inGroup->style(), QApplication::style()) << "its parent's kind is not searched";
}

TEST_F(TZvFlatMenuTest, AnItemTaggedNineNineNineKeepsTheApplicationStylesDrawing)
{
    QAction* flat = popup->addAction(QStringLiteral("Vložit"));
    QAction* excluded = popup->addAction(QStringLiteral("Smazat"));
    excluded->setProperty("Tag", 999);
    TZvFlatMenu renderer(&form);
    renderer.setActive(true);
    popup->adjustSize();
    const QImage image = popup->grab().toImage();
    const QColor iconColumn = renderer.style()->menuPainter().colors().iconColumn;
    const int x = TZvFlatMenuStyle::popupFrameWidth + 1;
    EXPECT_EQ(image.pixelColor(x, popup->actionGeometry(flat).center().y()), iconColumn);
    EXPECT_NE(image.pixelColor(x, popup->actionGeometry(excluded).center().y()), iconColumn);
}

TEST_F(TZvFlatMenuTest, PopupHasAOnePixelFrameWithATwoPixelShadowAndOpenCorners)
{
    TZvFlatMenu renderer(&form);
    renderer.setFlatMenu(true);
    renderer.setActive(true);
    popup->popup(QPoint(10, 10));
    QApplication::processEvents();
    const QSize size = popup->size();
    EXPECT_EQ(popup->mask(), FlatPopupRegion(size));
    EXPECT_FALSE(popup->mask().contains(QPoint(size.width() - 1, 0)));
    EXPECT_FALSE(popup->mask().contains(QPoint(0, size.height() - 1)));
    const QImage image = popup->grab().toImage();
    const TZvFlatMenuColors& colors = renderer.style()->menuPainter().colors();
    const int middle = size.height() / 2;
    EXPECT_EQ(image.pixelColor(0, middle), colors.popupFrame);
    EXPECT_EQ(image.pixelColor(1, middle), colors.iconColumn);
    EXPECT_EQ(image.pixelColor(size.width() - 3, middle), colors.popupFrame);
    EXPECT_EQ(image.pixelColor(size.width() - 2, middle), colors.popupShadow);
    EXPECT_EQ(image.pixelColor(size.width() / 2, size.height() - 3), colors.popupFrame);
    EXPECT_EQ(image.pixelColor(size.width() / 2, size.height() - 1), colors.popupShadow);
    popup->hide();
    renderer.setActive(false);
    EXPECT_TRUE(popup->mask().isEmpty());
}

TEST_F(TZvFlatMenuTest, ManagerHandsTheRendererToFormsShownLaterExceptTaggedOnes)
{
    TZvFlatMenu renderer(&form);
    renderer.setActive(true);
    QDialog dialog;
    auto* dialogEdit = new QLineEdit(&dialog);
    QDialog excluded;
    excluded.setProperty("Tag", 999);
    auto* excludedEdit = new QLineEdit(&excluded);
    dialog.show();
    excluded.show();
    EXPECT_EQ(dialogEdit->style(), renderer.style());
    EXPECT_EQ(excludedEdit->style(), QApplication::style());
    renderer.setActive(false);
    EXPECT_EQ(dialogEdit->style(), QApplication::style());
}

TEST_F(TZvFlatMenuTest, ControlBarBandGetsALightenedFaceAndAGripOfDarkeningLines)
{
    auto* controlBar = new QMainWindow(&form);
    controlBar->setWindowFlags(Qt::Widget);
    auto* band = controlBar->addToolBar(QStringLiteral("ToolBar1"));
    TZvFlatMenu renderer(&form);
    renderer.setActive(true);
    ASSERT_EQ(band->style(), renderer.style());
    QImage image(12, 26, QImage::Format_RGB888);
    QPainter painter(&image);
    QStyleOption option;
    option.initFrom(band);
    option.rect = image.rect();
    renderer.style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, band);
    const QColor bar = controlBar->palette().color(controlBar->backgroundRole());
    EXPECT_EQ(image.pixelColor(3, 5), Darken(bar, 30));
    EXPECT_EQ(image.pixelColor(5, 7), Darken(bar, 37));
    EXPECT_EQ(image.pixelColor(3, 13), Darken(bar, 58));
    EXPECT_EQ(image.pixelColor(3, 21), Darken(bar, 86));
    for (const QPoint& face : {QPoint(3, 6), QPoint(6, 5), QPoint(2, 5), QPoint(3, 23)})
        EXPECT_EQ(image.pixelColor(face), Lighten(bar, 6)) << face.x() << "," << face.y();
}
