#include "widgets/TZvFlatMenuKinds.h"

#include "widgets/FontDropDownStyle.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {

constexpr int excludedTag = 999;

bool belongsToMenuBar(const QWidget* menu)
{
    for (const QWidget* parent = menu->parentWidget(); parent; parent = parent->parentWidget()) {
        if (qobject_cast<const QMenuBar*>(parent))
            return true;
        if (!qobject_cast<const QMenu*>(parent))
            return false;
    }
    return false;
}

// The line edit of a combo or spin box, or a key-sequence edit, is a part of that control.
bool isPartOfControl(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    return parent &&
           (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent) ||
            qobject_cast<const QKeySequenceEdit*>(parent));
}

} // namespace

std::optional<TFlatControl> FlatControlKind(const QWidget* widget)
{
    if (qobject_cast<const QMenuBar*>(widget))
        return fcMainMenu;
    if (qobject_cast<const QMenu*>(widget))
        return belongsToMenuBar(widget) ? fcMainMenu : fcPopupMenu;
    if (isPartOfControl(widget))
        return std::nullopt;
    if (qobject_cast<const QToolBar*>(widget)) {
        // A tool bar in a main window inside a window is a band of a control bar.
        const auto* owner = qobject_cast<const QMainWindow*>(widget->parentWidget());
        return owner && !owner->isWindow() ? fcControlbar : fcToolbar;
    }
    if (qobject_cast<const QComboBox*>(widget))
        return fcCombo;
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->inputMask().isEmpty() ? fcEdit : fcMaskEdit;
    if (qobject_cast<const QPlainTextEdit*>(widget))
        return fcMemo;
    if (qobject_cast<const QTextEdit*>(widget))
        return fcRichEdit;
    if (qobject_cast<const QAbstractSpinBox*>(widget))
        return fcMiscEdit;
    if (qobject_cast<const QCheckBox*>(widget))
        return fcCheckBox;
    if (qobject_cast<const QRadioButton*>(widget))
        return fcRadioButton;
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return button->icon().isNull() ? fcButton : fcBitBtn;
    if (qobject_cast<const QToolButton*>(widget) && !qobject_cast<const QToolBar*>(widget->parentWidget()))
        return fcSpeedButton;
    if (qobject_cast<const QGroupBox*>(widget))
        return fcGroupBox;
    if (qobject_cast<const QTreeView*>(widget))
        return fcTreeView;
    if (qobject_cast<const QTableView*>(widget))
        return fcListView;
    if (qobject_cast<const QListView*>(widget))
        return fcListBox;
    if (qobject_cast<const QProgressBar*>(widget))
        return fcProgressBar;
    if (qobject_cast<const QKeySequenceEdit*>(widget))
        return fcHotKey;
    if (QLatin1String(widget->metaObject()->className()) == QLatin1String("QFrame"))
        return fcPanel;
    return std::nullopt;
}

std::optional<TFlatContainer> FlatContainerKind(const QWidget* widget)
{
    if (widget->isWindow())
        return fccForm;
    if (qobject_cast<const QGroupBox*>(widget))
        return fccGroupBox;
    if (qobject_cast<const QToolBar*>(widget))
        return fccToolbar;
    if (qobject_cast<const QMainWindow*>(widget))
        return fccCoolbar; // a main window inside a window holds the tool bars as bands
    const QWidget* parent = widget->parentWidget();
    if (qobject_cast<const QStackedWidget*>(parent) &&
        qobject_cast<const QTabWidget*>(parent->parentWidget()))
        return fccTabSheet;
    if (parent && qobject_cast<const QScrollArea*>(parent->parentWidget()))
        return fccScrollBox;
    // A plain widget groups controls as a frame does; panels and every other
    // composite are panels.
    if (QLatin1String(widget->metaObject()->className()) == QLatin1String("QWidget"))
        return fccFrame;
    return fccPanel;
}

bool HasExcludedTag(const QObject* object)
{
    return object && object->property("Tag").toInt() == excludedTag;
}

bool HasOwnLook(const QWidget* widget)
{
    // The font name box's own style only drops its list down below the box, as the flat look does too.
    const bool ownStyle =
        widget->testAttribute(Qt::WA_SetStyle) && !qobject_cast<const FontDropDownStyle*>(widget->style());
    return ownStyle || !widget->styleSheet().isEmpty();
}
