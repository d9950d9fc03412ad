#pragma once

// A drop-down list of the installed font faces, each row drawn with a small
// glyph of its kind (TrueType, printer, other) and its name. The host reads
// and writes the chosen face through FontName and hears of the user's picks,
// and only of those, through OnChange: once per pick.
//
// Writing FontName selects the entry of that name, compared without regard to
// case; a name that is not listed is looked up among the font substitutes of
// the registry (the face the font system draws for it); a name found nowhere
// is appended with foDisableVerify and otherwise leaves nothing selected.

#include "platform/Registry.h"
#include "widgets/FontSources.h"

#include <QColor>
#include <QComboBox>

#include <functional>

class QPainter;

class TZvFontComboBox : public QComboBox
{
    Q_OBJECT

public:
    enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
    enum TZvFontComboOption {
        foAnsiOnly = 0x1,
        foTrueTypeOnly = 0x2,
        foFixedPitchOnly = 0x4,
        foNoOEMFonts = 0x8,
        foOEMFontsOnly = 0x10,
        foScalableOnly = 0x20,
        foWysiWyg = 0x40,
        foDisableVerify = 0x80,
        foPreviewFont = 0x100,
        foMRU = 0x200,
    };
    Q_DECLARE_FLAGS(TZvFontComboOptions, TZvFontComboOption)

    // Whether a drawn entry is a row of the open list or the closed box.
    enum class EntryPlace { ListRow, ClosedBox };

    static constexpr QLatin1StringView previewText{"AbCdEfGhIj"};

    explicit TZvFontComboBox(QWidget* parent = nullptr, const FontSources& sources = FontSources::system());

    // The selected entry's name; empty when none is selected.
    QString FontName() const;
    void setFontName(const QString& name);

    // 0-based; -1 selects nothing. Never fires OnChange.
    int ItemIndex() const { return currentIndex(); }
    void setItemIndex(int index) { setCurrentIndex(index); }

    TFontDialogDevice Device() const { return m_device; }
    void setDevice(TFontDialogDevice device);
    TZvFontComboOptions Options() const { return m_options; }
    void setOptions(TZvFontComboOptions options);
    bool Sorted() const { return m_sorted; }
    void setSorted(bool sorted);
    bool UseImages() const { return m_useImages; }
    void setUseImages(bool useImages);
    // The size limit of the recently-used block at the top of the list; 0: none.
    int MaxMRUCount() const { return m_maxMruCount; }
    void setMaxMRUCount(int count);
    // The number of recently-used entries at the top of the list.
    int mruCount() const { return m_mruCount; }
    // The width of the open list in pixels; it is never narrower than the box.
    int DroppedDownWidth() const { return m_droppedDownWidth; }
    void setDroppedDownWidth(int width) { m_droppedDownWidth = width; }
    // Typing into the closed box: without AutoComplete each typed letter moves to the next
    // face that begins with it, as a drop-down list does; with AutoComplete the letters typed
    // in quick succession make one prefix. AutoDropDown drops the list down at the first one.
    bool AutoComplete() const { return m_autoComplete; }
    void setAutoComplete(bool autoComplete) { m_autoComplete = autoComplete; }
    bool AutoDropDown() const { return m_autoDropDown; }
    void setAutoDropDown(bool autoDropDown) { m_autoDropDown = autoDropDown; }
    QColor HiliteColor() const { return m_hiliteColor; }
    void setHiliteColor(const QColor& colour);
    QColor HiliteText() const { return m_hiliteText; }
    void setHiliteText(const QColor& colour);

    // The font-type bits of entry `index`.
    int fontTypeAt(int index) const;
    // Every row's height: the font's text height + 1, at least the glyph's 16.
    int itemHeight() const;
    // Draws entry `index` (-1: none) into `rect`, for a list row or the closed box.
    void paintEntry(QPainter& painter, QRect rect, int index, bool selected, EntryPlace place) const;
    // The part of `rect` that entry `index`'s highlight covers (its name and 6 pixels beyond).
    QRect nameArea(QRect rect, int index) const;

    // The user picked an entry in the list: confirmed with a click, Enter or a key.
    std::function<void(TZvFontComboBox*)> OnChange;
    std::function<void(TZvFontComboBox*)> OnClick;
    std::function<void(TZvFontComboBox*)> OnDropDown;
    // Asked before a preview is drawn: may change the text, the width it needs
    // and whether it is drawn at all.
    std::function<void(TZvFontComboBox*, const QString& face, QString& text, int& width, bool& draw)>
        OnDrawPreviewEvent;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillList();
    void refillKeepingName();
    bool passesFilter(const FontFace& face) const;
    int findFace(const QString& name) const;
    int nextFaceStartingWith(QChar letter) const;
    void appendFace(const QString& name, int fontType);
    void userPicked(int index);
    void rememberPick(int index);
    void paintPreview(QPainter& painter, const QRect& row, const QString& face, int usedWidth) const;

    FontSources m_sources;
    Registry m_registry = Registry::system();
    TFontDialogDevice m_device = fdScreen;
    TZvFontComboOptions m_options;
    bool m_sorted = false;
    bool m_useImages = true;
    bool m_autoComplete = false;
    bool m_autoDropDown = false;
    int m_maxMruCount = 0;
    int m_mruCount = 0;
    int m_droppedDownWidth = 0;
    QColor m_hiliteColor;
    QColor m_hiliteText;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TZvFontComboBox::TZvFontComboOptions)
