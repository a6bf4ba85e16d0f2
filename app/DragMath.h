#pragma once
// Scroll-position arithmetic of the view: wrapping a position into a bar's
// range, and turning a drag in the view page into new bar positions.
#include <cstdint>
#include <optional>

#include "UiValues.h"

// Positions 0..m are all valid (0 and m both). Outside that range the value
// is reduced by the truncating remainder, and m is added to negative values;
// so -m gives 0 and -2m gives m.
int32_t WrapPos(int32_t a, int32_t m);

struct TDragTarget {
    int32_t H1{};  // new position of ViewScrollH1
    int32_t V{};   // new position of ViewScrollV
    friend bool operator==(const TDragTarget&, const TDragTarget&) = default;
};

// Positions for a cursor at (x, y) in the view page after the button went down
// at the anchor. A drag across the whole page width turns H1 once around its
// range; one down the page height moves V by its whole range. Tab 0 clamps V
// to 0..100, tabs 1..3 wrap it. Nothing for a tab other than 0..3 or while the
// page size is not known yet (no division by a zero width).
std::optional<TDragTarget> DragTarget(const DragAnchor& anchor, int32_t tab, uint16_t x, uint16_t y,
                                      int32_t pageWidth, int32_t pageHeight);

// Which bars a move sets, by the modifier keys held.
enum class TDragAction { H1Only, VOnly, Both };
TDragAction DragActionFor(bool shift, bool control);
