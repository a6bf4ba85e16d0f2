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
    const TGdiOwner<HBRUSH> brush(NewSolidBrush(colour));
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, brush.Get());
    return 1;
}

namespace {

int32_t LiveGdiCount = 0;

template <typename Handle>
Handle Counted(Handle object) {
    if (object) ++LiveGdiCount;
    return object;
}

bool IsContext(HGDIOBJ object) {
    const DWORD type = GetObjectType(object);
    return type == OBJ_DC || type == OBJ_MEMDC;
}

}  // namespace

HBRUSH NewSolidBrush(COLORREF colour) { return Counted(CreateSolidBrush(colour)); }

HFONT NewFont(const LOGFONTA& font) { return Counted(CreateFontIndirectA(&font)); }

HDC NewDisplayInfoContext() { return Counted(CreateICA("DISPLAY", nullptr, nullptr, nullptr)); }

void DeleteGdiObject(HGDIOBJ object) {
    if (!object) return;
    const BOOL deleted = IsContext(object) ? DeleteDC(static_cast<HDC>(object)) : DeleteObject(object);
    if (deleted) --LiveGdiCount;
}

int32_t LiveGdiObjects() { return LiveGdiCount; }

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
