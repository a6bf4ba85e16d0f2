#include <windows.h>

#include "Render.h"

static_assert(sizeof(BITMAPINFOHEADER) + 4 == TRender::BitmapInfoSize);

// The bitmap is bottom-up (positive biHeight); the negative destination height
// mirrors it so that buffer row 0 lands on screen row y. GDI counts a mirrored
// destination from its origin row inclusive (origin 1, extent -2 covers rows
// 0 and 1), so the origin is the frame's last row, y + Height - 1: an origin
// of y + Height would show the frame one row too low.
void TRender::Present(HDC__* dc, int32_t x, int32_t y) {
    if (!ColorBuffer || !BitmapInfo) return;
    StretchDIBits(dc, x, y + Height - 1, Width, -Height, 0, 0, Width, Height, ColorBuffer,
                  reinterpret_cast<const BITMAPINFO*>(BitmapInfo), DIB_RGB_COLORS, SRCCOPY);
}
