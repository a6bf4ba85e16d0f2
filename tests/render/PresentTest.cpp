// Present under Win32: the frame reaches the window upright, unscaled and at
// the requested position. The window's pixels are read back with BitBlt into
// a top-down DIB section.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Render.h"

namespace {

constexpr int ClientWidth = 64, ClientHeight = 48;
constexpr COLORREF Surround = RGB(0, 0, 0);

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

// One window for the whole suite: creating windows under Wine is slow.
class Present : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TintroverPresentTest";
        RegisterClassA(&wc);
        Window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "present", WS_POPUP | WS_VISIBLE, 20, 20,
                                 ClientWidth, ClientHeight, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(Window);
        Pump();
        Dc = GetDC(Window);
    }
    static void TearDownTestSuite() {
        if (Dc) ReleaseDC(Window, Dc);
        if (Window) DestroyWindow(Window);
    }
    void SetUp() override { ASSERT_NE(Dc, nullptr); }
    static void Pump() {
        MSG msg;
        for (int i = 0; i < 20; ++i) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(10);
        }
    }
    static void FillSurround() {
        RECT all{0, 0, ClientWidth, ClientHeight};
        HBRUSH brush = CreateSolidBrush(Surround);
        FillRect(Dc, &all, brush);
        DeleteObject(brush);
    }
    // The client area's pixels as 0x00RRGGBB, row 0 at the top.
    static std::vector<uint32_t> ReadBack() {
        GdiFlush();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = ClientWidth;
        info.bmiHeader.biHeight = -ClientHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC memory = CreateCompatibleDC(Dc);
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, ClientWidth, ClientHeight, Dc, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                     static_cast<const uint32_t*>(bits) + ClientWidth * ClientHeight);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(dib);
        for (uint32_t& p : pixels) p &= 0x00FFFFFF;
        return pixels;
    }

    static inline HWND Window{};
    static inline HDC Dc{};
};

// Distinct in every row and every column.
uint32_t FramePixel(int32_t x, int32_t y) {
    return static_cast<uint32_t>((x * 9 + 20) << 16 | (y * 13 + 10) << 8 | 0x80);
}

TEST_F(Present, ShowsTheFrameUprightUnscaledAtItsPosition) {
    constexpr int32_t W = 24, H = 16, X = 5, Y = 7;
    TRender render;
    render.SetSize(W, H);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) render.ColorBuffer[y * W + x] = FramePixel(x, y) | 0xFF000000u;
    FillSurround();
    render.Present(Dc, X, Y);
    const std::vector<uint32_t> seen = ReadBack();
    int32_t wrong = 0;
    for (int32_t y = 0; y < ClientHeight; ++y) {
        for (int32_t x = 0; x < ClientWidth; ++x) {
            const bool inside = x >= X && x < X + W && y >= Y && y < Y + H;
            const uint32_t expected = inside ? FramePixel(x - X, y - Y) : 0u;
            if (seen[y * ClientWidth + x] != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << seen[y * ClientWidth + x]
                              << " expected " << expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Present, AClearedFrameShowsItsBackColour) {
    TRender render;
    render.SetSize(10, 6);
    render.BackColor = 0xFF3366CC;
    render.Clear();
    FillSurround();
    render.Present(Dc, 0, 0);
    const std::vector<uint32_t> seen = ReadBack();
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 10; ++x) EXPECT_EQ(seen[y * ClientWidth + x], 0x3366CCu) << x << "," << y;
    EXPECT_EQ(seen[6 * ClientWidth + 10], 0u);
}

TEST_F(Present, AnUnsizedRendererPresentsNothing) {
    TRender render;
    FillSurround();
    render.Present(Dc, 0, 0);
    for (const uint32_t p : ReadBack()) ASSERT_EQ(p, 0u);
}

}  // namespace
