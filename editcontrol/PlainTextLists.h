#pragma once

// List labels in plain text: a numbered or bulleted paragraph saved as plain text keeps
// its label ("1.", "a)", "(iv)", "•", as ListLabels gives it), so that a numbered list
// keeps its meaning. Each item is laid out as LibreOffice's text export lays it out: four
// spaces for each level of the list, the label and a space before the text.

#include <QString>

class QTextDocument;

namespace PlainTextLists {

// text: the document's text from position from on, one character for each position (a
// paragraph break included). Each list paragraph that begins in it gets its label.
QString withLabels(const QTextDocument& document, int from, const QString& text);

} // namespace PlainTextLists
