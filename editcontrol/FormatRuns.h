#pragma once

// Walking the character-format runs of a part of a QTextDocument.

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

// Calls `visit(charFormat, from, to)` for every run of one character format in
// [from, to), in document order, each cut to that range; the walk stops when
// `visit` answers false.
template <typename Visit> void forEachFormatRun(const QTextDocument* document, int from, int to, Visit visit)
{
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start < end && !visit(fragment.charFormat(), start, end))
                return;
        }
    }
}
