#pragma once

// Automatic link detection: text that looks like a URL is shown as a link.
// Only the painting shows it, as a format drawn over the text of the
// paragraphs on screen, so the document itself (its text, formats, undo stack
// and modified flag) is never changed and a long document costs nothing more
// to open.

#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <utility>

namespace UrlDetector {

struct Link
{
    int start = 0;
    int length = 0;
};

// The links detected in a paragraph's text, in order.
QList<Link> linksIn(const QString& text);

// The detected link that covers `offset` of `text`, as {start, length};
// length 0 when there is none.
std::pair<int, int> urlAt(const QString& text, int offset);

// How a detected link is shown.
const QTextCharFormat& linkFormat();

} // namespace UrlDetector
