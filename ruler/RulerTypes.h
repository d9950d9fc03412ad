#pragma once

// The identifiers and callbacks the ruler reports its handles and margins with.

#include <QObject>

#include <cstdint>
#include <functional>

// The indent handle concerned: first line, left indent, right indent, or the
// box under the left-indent handle that moves the left and first-line indents together.
enum TIndentID : std::uint8_t { riFirst = 0, riLeft = 1, riRight = 2, riBothLeft = 3 };

enum TMarginID : std::uint8_t { rmLeft = 0, rmRight = 1 };

using TIndentEvent = std::function<void(QObject* sender, TIndentID indentID)>;
using TMarginEvent = std::function<void(QObject* sender, TMarginID marginID)>;

// Snapping step of every drag, in pixels (1..255).
using TRulerTab = std::uint8_t;
// Scale step in pixels, a quarter of a numbered unit (1..30000).
using TRulerTabdist = std::uint16_t;
// Multiplier of the printed scale numbers (1..30000).
using TRulerFactor = std::uint16_t;

// Calls an optional ruler event when it is set.
template <typename Event, typename Id> void fireRulerEvent(const Event& event, QObject* sender, Id id)
{
    if (event)
        event(sender, id);
}
