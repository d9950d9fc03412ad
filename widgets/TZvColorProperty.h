#pragma once

// The names under which the colour button's and the palette's properties
// announce a change. The first group belongs to the palette panel's set, the
// second to the button's own additions.
enum class TZvColorProperty {
    ShowAutoButton,
    ShowOtherButton,
    ShowColorHint,
    TopMargin,
    BottomMargin,
    HorizontalMargin,
    ColorSpace,
    ColorSpaceTop,
    ColorSpaceBottom,
    ColorSize,
    ButtonHeight,
    AutoCaption,
    OtherCaption,
    AutoHint,
    OtherHint,
    RightClickSelect,
    SelectIfPopup,
    AutoColor,

    EdgeWidth,
    ArrowWidth,
    ShowDragBar,
    DragCaption,
    DragBarHint,
    DragBarHeight,
    DragBarSpace,
};
