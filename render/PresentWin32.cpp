#include <windows.h>

#include "Render.h"

static_assert(sizeof(BITMAPINFOHEADER) + 4 == TRender::BitmapInfoSize);

// The bitmap is bottom-up (positive biHeight); the negative destination height
// mirrors it so that buffer row 0 lands on screen row y.
void TRender::Present(HDC__* dc, int32_t x, int32_t y) {
    if (!ColorBuffer || !BitmapInfo) return;
    StretchDIBits(dc, x, y + Height, Width, -Height, 0, 0, Width, Height, ColorBuffer,
                  reinterpret_cast<const BITMAPINFO*>(BitmapInfo), DIB_RGB_COLORS, SRCCOPY);
}
