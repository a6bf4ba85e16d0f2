#include "DragMath.h"

#include <algorithm>

#include "Rounding.h"

int32_t WrapPos(int32_t a, int32_t m) {
    if (a >= 0 && a <= m) return a;
    if (m <= 0) return 0;  // no range to wrap into
    int32_t r = a;
    if (a != m && a != -m) r = a % m;  // C++ % truncates toward zero
    if (a < 0) r += m;
    return r;
}

namespace {
// Round(delta / extent x range): divide first, in double, then scale.
int32_t ScaledDelta(int32_t delta, int32_t extent, int32_t range) {
    return Nearest(static_cast<double>(delta) / extent * range);
}
}  // namespace

std::optional<TDragTarget> DragTarget(const DragAnchor& anchor, int32_t tab, uint16_t x, uint16_t y,
                                      int32_t pageWidth, int32_t pageHeight) {
    if (!IsViewTab(tab) || pageWidth <= 0 || pageHeight <= 0) return std::nullopt;
    const int32_t vMax = TabScrollMax[static_cast<size_t>(tab)];
    TDragTarget t;
    t.H1 = WrapPos(ScaledDelta(x - anchor.X, pageWidth, HScrollMax) + anchor.H1Pos, HScrollMax);
    const int32_t v = ScaledDelta(y - anchor.Y, pageHeight, vMax) + anchor.VPos;
    t.V = tab == 0 ? std::clamp(v, 0, vMax) : WrapPos(v, vMax);
    return t;
}

TDragAction DragActionFor(bool shift, bool control) {
    if (shift) return TDragAction::H1Only;
    if (control) return TDragAction::VOnly;
    return TDragAction::Both;
}
