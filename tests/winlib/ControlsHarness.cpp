#include "ControlsHarness.h"

#include <algorithm>

namespace controls_test {

namespace {

constexpr char ParentClass[] = "TintroverControlsTestParent";

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterParentClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = ParentClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

// One top-level window for the whole program: under Wine without a window
// manager, mapping and unmapping a top-level window waits on the X server,
// so every test gets a fresh child of this host instead.
HWND Host() {
    static const HWND host = [] {
        RegisterParentClass();
        HWND window = CreateWindowExA(0, ParentClass, "controls", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 640, 480,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        return window;
    }();
    return host;
}

}  // namespace

TParentWindow::TParentWindow(int width, int height, COLORREF back) : Back(back) {
    HWND host = Host();
    Handle = CreateWindowExA(0, ParentClass, "parent", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                             height, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(Handle, GWLP_USERDATA, static_cast<LONG_PTR>(back));
    // Wine leaves a new child's update region empty: erase it explicitly.
    InvalidateRect(Handle, nullptr, TRUE);
    Settle();
}

TParentWindow::~TParentWindow() { Destroy(); }

void TParentWindow::Destroy() {
    if (Handle && IsWindow(Handle)) DestroyWindow(Handle);
    Handle = nullptr;
    Pump();
}

void TParentWindow::Settle() {
    UpdateWindow(Handle);
    Pump();
}

void Pump() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

namespace {

// Reads area in one BitBlt into a 32-bit top-down DIB.
std::vector<COLORREF> ReadArea(HWND window, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = GetDC(window);
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    const auto* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const DWORD p = source[i];  // 0x00RRGGBB
        pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(window, dc);
    return pixels;
}

}  // namespace

std::optional<RECT> InkBox(HWND window, const RECT& area, COLORREF except) {
    const std::vector<COLORREF> pixels = ReadArea(window, area);
    const int width = area.right - area.left;
    std::optional<RECT> box;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] == except) continue;
        const int x = area.left + static_cast<int>(i) % width;
        const int y = area.top + static_cast<int>(i) / width;
        if (!box) {
            box = RECT{x, y, x + 1, y + 1};
        } else {
            box->left = std::min<LONG>(box->left, x);
            box->top = std::min<LONG>(box->top, y);
            box->right = std::max<LONG>(box->right, x + 1);
            box->bottom = std::max<LONG>(box->bottom, y + 1);
        }
    }
    return box;
}

bool HasPixelOf(HWND window, const RECT& area, COLORREF colour) {
    const std::vector<COLORREF> pixels = ReadArea(window, area);
    return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
}

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

}  // namespace controls_test
