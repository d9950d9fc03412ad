#include "plugins/zorvanhtmls/HtmlColorizer.h"

#include "plugins/zorvanhtmls/HtmlScanner.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <cstdint>
#include <vector>

namespace {

// A text colour as compared here: the RGB value, or Automatic for text
// without a colour of its own (shown in the palette's text colour, which the
// program treats as black).
using ColorKey = std::int64_t;
constexpr ColorKey Automatic = -1;
constexpr ColorKey Unknown = -2;

ColorKey keyOf(const QColor& color)
{
    return ColorKey(color.rgb() & 0xFFFFFFu);
}

// The colour of each role, by the role's value.
class RoleColors
{
public:
    RoleColors()
    {
        for (HtmlRole role : {HtmlRole::Text, HtmlRole::Tag, HtmlRole::AttributeName,
                              HtmlRole::AttributeValue, HtmlRole::Comment, HtmlRole::Entity})
            m_keys[std::size_t(role)] = keyOf(HtmlColorizer::colorOf(role));
    }

    ColorKey operator[](HtmlRole role) const { return m_keys[std::size_t(role)]; }

    // Text without a colour of its own counts as black, the colour of plain text.
    bool matches(ColorKey current, HtmlRole role) const
    {
        const ColorKey wanted = m_keys[std::size_t(role)];
        return current == wanted || (current == Automatic && wanted == m_keys[std::size_t(HtmlRole::Text)]);
    }

private:
    std::array<ColorKey, 6> m_keys{};
};

// Characters [start, end) of one colour; consecutive segments may leave gaps
// (paragraph separators, frame markers), which are never compared.
struct Segment
{
    int start = 0;
    int end = 0;
    ColorKey color = Automatic;
};

struct Recolor
{
    int start = 0;
    int end = 0;
    HtmlRole role = HtmlRole::Text;
};

// The document read once: its text indexed by document position (paragraph
// separators as "\n") and the colours of its fragments.
class DocumentSnapshot
{
public:
    explicit DocumentSnapshot(const QTextDocument& document)
    {
        const int count = document.characterCount();
        m_text.resize(count, u' ');
        QChar* text = m_text.data();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const int position = block.position();
            const QString blockText = block.text();
            std::copy(blockText.cbegin(), blockText.cend(), text + position);
            const int separator = position + block.length() - 1;
            if (separator < count)
                text[separator] = u'\n';
            // A block's fragments follow each other without gaps, so their
            // positions are summed up here: asking each fragment for its
            // position walks the document's fragment tree every time.
            int fragmentStart = position;
            for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int length = fragment.length();
                addSegment(fragmentStart, fragmentStart + length, colorOfFormat(fragment));
                fragmentStart += length;
            }
        }
    }

    const QString& text() const { return m_text; }
    const std::vector<Segment>& segments() const { return m_segments; }

private:
    void addSegment(int start, int end, ColorKey color)
    {
        if (!m_segments.empty() && m_segments.back().end == start && m_segments.back().color == color) {
            m_segments.back().end = end;
            return;
        }
        m_segments.push_back({start, end, color});
    }

    // Fragments share few formats; each format's colour is looked up once.
    ColorKey colorOfFormat(const QTextFragment& fragment)
    {
        const int index = fragment.charFormatIndex();
        if (index < 0)
            return Automatic;
        if (std::size_t(index) >= m_formatColors.size())
            m_formatColors.resize(std::size_t(index) + 1, Unknown);
        ColorKey& cached = m_formatColors[std::size_t(index)];
        if (cached == Unknown) {
            const QBrush foreground = fragment.charFormat().foreground();
            cached = foreground.style() == Qt::NoBrush ? Automatic : keyOf(foreground.color());
        }
        return cached;
    }

    QString m_text;
    std::vector<Segment> m_segments;
    std::vector<ColorKey> m_formatColors;
};

// The ranges whose current colour differs from the colour of their role.
// Neighbouring ranges of one role separated only by characters that are not
// compared become one range, so a comment over several paragraphs is one change.
std::vector<Recolor> rangesToRecolor(const std::vector<Segment>& segments, const std::vector<HtmlRun>& runs)
{
    const RoleColors colors;
    std::vector<Recolor> ranges;
    bool open = false;
    std::size_t run = 0;
    for (const Segment& segment : segments) {
        int position = segment.start;
        while (run < runs.size() && runs[run].end <= position)
            ++run;
        while (position < segment.end && run < runs.size()) {
            const int end = std::min(runs[run].end, segment.end);
            const HtmlRole role = runs[run].role;
            if (colors.matches(segment.color, role)) {
                open = false;
            } else if (open && ranges.back().role == role) {
                ranges.back().end = end;
            } else {
                ranges.push_back({position, end, role});
                open = true;
            }
            position = end;
            if (position == runs[run].end)
                ++run;
        }
    }
    return ranges;
}

void apply(QTextDocument& document, const std::vector<Recolor>& ranges)
{
    QTextCursor cursor(&document);
    for (const Recolor& range : ranges) {
        cursor.setPosition(range.start);
        cursor.setPosition(range.end, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setForeground(HtmlColorizer::colorOf(range.role));
        cursor.mergeCharFormat(format);
    }
}

} // namespace

QColor HtmlColorizer::colorOf(HtmlRole role)
{
    switch (role) {
    case HtmlRole::Text:
        return QColor(Qt::black);
    case HtmlRole::Tag:
        return QColor(0x00, 0x00, 0xA0);
    case HtmlRole::AttributeName:
        return QColor(0xC0, 0x00, 0x00);
    case HtmlRole::AttributeValue:
        return QColor(0x80, 0x00, 0xA0);
    case HtmlRole::Comment:
        return QColor(0x00, 0x80, 0x00);
    case HtmlRole::Entity:
        return QColor(0xA0, 0x60, 0x00);
    }
    return QColor(Qt::black);
}

int HtmlColorizer::colorize(QTextDocument* document)
{
    if (document == nullptr)
        return 0;
    const DocumentSnapshot snapshot(*document);
    const std::vector<Recolor> ranges =
        rangesToRecolor(snapshot.segments(), HtmlScanner::scan(snapshot.text()));
    if (ranges.empty())
        return 0;

    const bool wasModified = document->isModified();
    QTextCursor editBlock(document);
    const bool outsideUndo = document->isUndoRedoEnabled() && document->availableUndoSteps() == 0;
    // Switching undo off clears the stacks, which here are empty but for a
    // redo step that any change would drop anyway.
    if (outsideUndo)
        document->setUndoRedoEnabled(false);
    editBlock.beginEditBlock();
    apply(*document, ranges);
    editBlock.endEditBlock();
    if (outsideUndo)
        document->setUndoRedoEnabled(true);
    document->setModified(wasModified);
    return int(ranges.size());
}
