#pragma once

// Caps on the inflated size of an office package's parts, in bytes: the readers of Word and
// OpenDocument files stop with an error rather than inflate past them.

#include <QtGlobal>

struct OfficeLimits
{
    qint64 mainPart = qint64(256) << 20; // the document's text
    qint64 part = qint64(64) << 20;      // styles, numbering, pictures and the other parts
    qint64 total = qint64(512) << 20;    // all parts read
};
