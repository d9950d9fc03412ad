// The words that start destinations, and the groups kept as read: pictures, objects and
// shapes that cannot be shown, notes, and old drawing objects, whose text boxes are read
// again after their paragraph.

#include "rtf/RtfParser.h"

#include <QScopedValueRollback>

// Returns false for a word that does not start a destination where it stands.
bool RtfParser::applyDestinationWord(RtfDestinationWord word)
{
    GroupState& state = top();
    // A text box read again holds text only: what else it has was kept with the object.
    if (m_replayedDrawing >= 0 &&
        (word == RtfDestinationWord::Picture || word == RtfDestinationWord::Object ||
         word == RtfDestinationWord::Shape || word == RtfDestinationWord::Footnote)) {
        state.destination = Destination::Skip;
        return true;
    }
    switch (word) {
    case RtfDestinationWord::FontTable:
        state.destination = Destination::FontTable;
        m_fonts.start();
        return true;
    case RtfDestinationWord::ColorTable:
        state.destination = m_colors.start() ? Destination::ColorTable : Destination::Skip;
        return true;
    case RtfDestinationWord::Skip:
        state.destination = Destination::Skip;
        return true;
    case RtfDestinationWord::Picture:
        startPicture();
        return true;
    case RtfDestinationWord::Object:
        startObject();
        return true;
    case RtfDestinationWord::Result:
        if (state.destination != Destination::Object)
            return false;
        state.destination = Destination::ObjectResult;
        return true;
    case RtfDestinationWord::Field:
        m_fields.start(m_stack.size());
        return true;
    case RtfDestinationWord::FieldInstruction:
        state.destination = Destination::FieldInstruction;
        return true;
    case RtfDestinationWord::FieldResult:
        if (state.destination == Destination::Body)
            m_fields.startResult(state.chars);
        return true;
    case RtfDestinationWord::ListTable:
        state.destination = Destination::ListTable;
        return true;
    case RtfDestinationWord::List:
        if (state.destination != Destination::ListTable)
            return false;
        state.destination = Destination::List;
        m_lists.startList();
        return true;
    case RtfDestinationWord::ListLevel:
        if (state.destination != Destination::List)
            return false;
        state.destination = Destination::ListLevel;
        m_lists.startLevel();
        return true;
    case RtfDestinationWord::LevelText:
        startLevelText();
        return true;
    case RtfDestinationWord::ListOverrideTable:
        state.destination = Destination::ListOverrideTable;
        return true;
    case RtfDestinationWord::ListOverride:
        if (state.destination != Destination::ListOverrideTable)
            return false;
        state.destination = Destination::ListOverride;
        m_lists.startOverride();
        return true;
    case RtfDestinationWord::Pn:
        state.destination = Destination::Pn;
        RtfListReader::startPn(state.para.pn);
        return true;
    case RtfDestinationWord::PnTextAfter:
    case RtfDestinationWord::PnTextBefore:
        if (state.destination != Destination::Pn)
            return false;
        state.destination = Destination::PnText;
        m_lists.startPnText(word);
        return true;
    case RtfDestinationWord::Shape:
        startShape();
        return true;
    case RtfDestinationWord::ShapeText:
        // A text box: its text is read into the text, and shows the shape.
        m_pictures.startShapeText();
        state.destination = Destination::Body;
        return true;
    case RtfDestinationWord::ShapeProperty:
        state.destination = Destination::ShapeProperty;
        m_pictures.startPropertyName();
        return true;
    case RtfDestinationWord::PropertyName:
        if (state.destination != Destination::ShapeProperty)
            return false;
        state.destination = Destination::PropertyName;
        return true;
    case RtfDestinationWord::PropertyValue:
        if (state.destination != Destination::ShapeProperty)
            return false;
        state.destination = m_pictures.propertyValueDestination();
        return true;
    case RtfDestinationWord::ShapeResult:
        state.destination = m_pictures.resultDestination(m_stack.size());
        return true;
    case RtfDestinationWord::ShapePicture:
        m_pictures.startShapePicture();
        return true;
    case RtfDestinationWord::NonShapePicture:
        state.destination = m_pictures.nonShapePictureDestination(state.destination);
        return true;
    case RtfDestinationWord::KeepContent:
        return true;
    case RtfDestinationWord::Footnote:
        startKeptBodyGroup(Destination::Note, "{\\footnote ");
        return true;
    case RtfDestinationWord::Drawing:
        startDrawing();
        return true;
    case RtfDestinationWord::DrawingText:
        if (state.destination != Destination::Drawing)
            return false;
        startDrawingText();
        return true;
    }
    return false;
}

// Groups kept as read.

void RtfParser::captureGroup(QByteArrayView opening)
{
    if (m_reading->isCapturing())
        return;
    m_reading->startCapture(opening);
    top().ownsCapture = true;
}

bool RtfParser::startKeptBodyGroup(Destination destination, QByteArrayView opening)
{
    GroupState& state = top();
    if (state.destination != Destination::Body || m_reading->isCapturing()) {
        state.destination = Destination::Skip;
        return false;
    }
    state.destination = destination;
    captureGroup(opening);
    return true;
}

void RtfParser::startPicture()
{
    m_pictures.startPicture(top().destination);
    top().destination = Destination::Picture;
    captureGroup("{\\pict ");
}

void RtfParser::startObject()
{
    m_pictures.startObject();
    top().destination = Destination::Object;
    captureGroup("{\\object ");
}

void RtfParser::startShape()
{
    top().destination = Destination::Shape;
    m_pictures.startShape(m_stack.size());
    captureGroup("{\\shp ");
}

// A list level's label is read from its group as read; a level text in a group kept
// already, or outside a list level, is skipped.
void RtfParser::startLevelText()
{
    GroupState& state = top();
    if (state.destination != Destination::ListLevel || m_reading->isCapturing()) {
        state.destination = Destination::Skip;
        return;
    }
    state.destination = Destination::LevelText;
    m_reading->startCapture({});
    state.ownsCapture = true;
}

// Drawing objects.

void RtfParser::startDrawing()
{
    if (m_replayedDrawing >= 0) {
        top().destination = Destination::Drawing; // read again for its text box
        return;
    }
    startKeptBodyGroup(Destination::Drawing, "{\\*\\do ");
}

// Read for the first time, a drawing object waits for the end of its paragraph; an object
// without a text box shows nothing and is dropped.
void RtfParser::finishDrawing(const QByteArray& captured)
{
    if (!m_truncated && captured.contains("\\dptxbxtext"))
        m_pendingDrawings.append(captured);
}

void RtfParser::startDrawingText()
{
    GroupState& state = top();
    if (m_replayedDrawing < 0) {
        state.destination = Destination::Skip;
        return;
    }
    state.destination = Destination::Body;
    state.chars = CharState();
    state.para = ParaState();
    state.para.drawing = m_replayedDrawing;
}

void RtfParser::endParagraph(RtfDocumentBuilder::ParagraphEnd end)
{
    m_builder.endParagraph(end, top().para, top().chars);
    replayDrawings();
}

void RtfParser::replayDrawings()
{
    if (m_pendingDrawings.isEmpty() || m_replayedDrawing >= 0)
        return;
    const QList<QByteArray> drawings = std::exchange(m_pendingDrawings, {});
    for (const QByteArray& drawing : drawings) {
        m_tables.drawings.append(drawing);
        m_replayedDrawing = int(m_tables.drawings.size() - 1);
        const std::size_t depth = m_stack.size();
        RtfTokenizer tokenizer(*this);
        const QScopedValueRollback reading(m_reading, &tokenizer);
        tokenizer.feed(drawing.constData(), drawing.size());
        tokenizer.finish();
        while (m_stack.size() > depth)
            groupClose();
        m_replayedDrawing = -1;
    }
}
