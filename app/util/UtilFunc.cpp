#include "UtilFunc.h"

#include <commdlg.h>

#include <vector>

std::string ModulePath() {
    // A result that fills the whole buffer may be truncated: grow and retry.
    constexpr DWORD Largest = 32768;
    for (DWORD size = MAX_PATH + 1;; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length < size || size >= Largest) return std::string(buffer.data(), length < size ? length : size);
    }
}

std::string ExeBaseName() { return BaseNameOfPath(ModulePath()); }

std::string ExeFolder() { return FolderOfPath(ModulePath()); }

// GetMessageA returns -1 on an error, which must end the loop rather than spin.
int32_t RunMessageLoop() {
    MSG msg{};
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (got < 0) return -1;
    return static_cast<int32_t>(msg.wParam);
}

bool MoveWindowTo(HWND hwnd, int x, int y) {
    return SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE) != FALSE;
}

bool ResizeWindow(HWND hwnd, int cx, int cy) {
    return SetWindowPos(hwnd, nullptr, 0, 0, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE) != FALSE;
}

bool SetTopmost(HWND hwnd, HWND insertAfter) {
    return SetWindowPos(hwnd, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

SIZE ScreenSize() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Centres on the whole primary screen; C++ division rounds toward zero.
bool CenterWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const SIZE screen = ScreenSize();
    return MoveWindowTo(hwnd, (screen.cx - (r.right - r.left)) / 2, (screen.cy - (r.bottom - r.top)) / 2);
}

int32_t FillClient(HWND hwnd, COLORREF colour, HDC hdc) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, brush);
    DeleteObject(brush);
    return 1;
}

COLORREF BtnFaceColor() { return GetSysColor(COLOR_BTNFACE); }
COLORREF WindowColor() { return GetSysColor(COLOR_WINDOW); }
COLORREF GrayTextColor() { return GetSysColor(COLOR_GRAYTEXT); }
COLORREF WindowTextColor() { return GetSysColor(COLOR_WINDOWTEXT); }

bool PickColor(HWND owner, COLORREF& colour, COLORREF* customColours) {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof(cc);  // 72 on Win64; the 32-bit size makes the dialog fail
    cc.hwndOwner = owner;
    cc.rgbResult = colour;
    cc.lpCustColors = customColours;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    colour = cc.rgbResult;
    return true;
}

void MakeRect(int left, int top, int right, int bottom, RECT& rect) { SetRect(&rect, left, top, right, bottom); }

RECT MakeRect(int x, int y, int width, int height) {
    RECT rect{};
    MakeRect(x, y, width, height, rect);
    return rect;
}
