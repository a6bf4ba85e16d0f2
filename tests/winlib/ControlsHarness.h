#pragma once
// A plain top-level parent window for the control tests, pixel read-back and
// a message pump.
#include <windows.h>

#include <optional>
#include <vector>

namespace controls_test {

// Parent of the controls under test: erases its client area with Back and
// otherwise does what DefWindowProcA does.
class TParentWindow {
public:
    static constexpr COLORREF DefaultBack = RGB(20, 160, 90);

    explicit TParentWindow(int width = 320, int height = 240, COLORREF back = DefaultBack);
    ~TParentWindow();
    TParentWindow(const TParentWindow&) = delete;
    TParentWindow& operator=(const TParentWindow&) = delete;

    void Destroy();  // DestroyWindow, if not destroyed yet
    void Settle();   // paints what is invalid and handles what is queued

    HWND Handle{};
    COLORREF Back;
};

void Pump();
COLORREF PixelAt(HWND window, int x, int y);

// The bounding box of the pixels in area whose colour is not `except`;
// nothing when every pixel has that colour.
std::optional<RECT> InkBox(HWND window, const RECT& area, COLORREF except);
bool HasPixelOf(HWND window, const RECT& area, COLORREF colour);

LPARAM PointParam(int x, int y);

}  // namespace controls_test
