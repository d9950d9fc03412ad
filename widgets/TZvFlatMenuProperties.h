#pragma once

// The settings of the flat menu renderer that decide what it draws: the
// explicit colours, the levels and switches. Colours are colour values
// (RGB or system colours); the colours actually drawn are derived from them
// by TZvFlatMenuColors.

#include "platform/SysColor.h"

#include <QFlags>
#include <QFont>

// The kinds of parent that are searched for controls to restyle.
enum TFlatContainer : unsigned {
    fccForm = 1u << 0,
    fccFrame = 1u << 1,
    fccToolbar = 1u << 2,
    fccCoolbar = 1u << 3,
    fccControlbar = 1u << 4,
    fccPanel = 1u << 5,
    fccScrollBox = 1u << 6,
    fccGroupBox = 1u << 7,
    fccTabSheet = 1u << 8,
    fccPageScroller = 1u << 9,
};
Q_DECLARE_FLAGS(TFlatContainers, TFlatContainer)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFlatContainers)

// The kinds of menu and control that are styled.
enum TFlatControl : unsigned {
    fcMainMenu = 1u << 0,
    fcPopupMenu = 1u << 1,
    fcToolbar = 1u << 2,
    fcControlbar = 1u << 3,
    fcCombo = 1u << 4,
    fcListBox = 1u << 5,
    fcEdit = 1u << 6,
    fcMaskEdit = 1u << 7,
    fcMemo = 1u << 8,
    fcRichEdit = 1u << 9,
    fcMiscEdit = 1u << 10,
    fcCheckBox = 1u << 11,
    fcRadioButton = 1u << 12,
    fcButton = 1u << 13,
    fcBitBtn = 1u << 14,
    fcSpeedButton = 1u << 15,
    fcUpDown = 1u << 16,
    fcPanel = 1u << 17,
    fcGroupBox = 1u << 18,
    fcTreeView = 1u << 19,
    fcListView = 1u << 20,
    fcProgressBar = 1u << 21,
    fcHotKey = 1u << 22,
};
Q_DECLARE_FLAGS(TFlatControls, TFlatControl)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFlatControls)

constexpr TFlatContainers allFlatContainers = TFlatContainers::fromInt((1u << 10) - 1);
constexpr TFlatControls allFlatControls = TFlatControls::fromInt((1u << 23) - 1);

// Whether the display shows more than 15 bits per pixel: only then are
// colours lightened, gradients drawn and the soft menu-bar shadow used.
enum class ColorDepth { Low, High };

struct TZvFlatMenuProperties
{
    QFont Font;
    TColor FontColor = clMenuText;
    TColor Color = clBtnFace;
    TColor IconBackColor = clBtnFace;
    TColor MenuBarColor = clBtnFace;
    TColor SelectColor = clHighlight;
    TColor SelectBorderColor = clHighlight;
    TColor SelectFontColor = clMenuText;
    TColor DisabledColor = clInactiveCaption;
    TColor SeparatorColor = clBtnFace;
    TColor CheckedColor = clHighlight;
    int IconWidth = 24;
    bool DrawSelect = true;
    bool UseSystemColors = true;
    bool UseDimColor = false;
    int GrayLevel = 10; // 0..255, added to the grey of disabled images
    int DimLevel = 30;  // per cent by which images of unselected items are lightened
    bool Gradient = false;
    bool FlatMenu = false;
    bool DrawMenuBar = false;
};
