#pragma once
// Small Win32 helpers shared by the window library and the application: paths
// of the executable, the message loop, window placement, system colours, the
// colour dialog, integer-to-text and the rectangle setter.
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "UtilText.h"

std::string ModulePath();
std::string ExeBaseName();  // the executable's file name up to its first "."
std::string ExeFolder();    // its folder, without the trailing "\"

int32_t RunMessageLoop();

bool MoveWindowTo(HWND hwnd, int x, int y);
bool ResizeWindow(HWND hwnd, int cx, int cy);
bool SetTopmost(HWND hwnd, HWND insertAfter);
SIZE ScreenSize();
bool CenterWindow(HWND hwnd);

int32_t FillClient(HWND hwnd, COLORREF colour, HDC hdc);

// GDI objects. Every brush, font and information context the window library
// and the application make is created and deleted through these functions,
// which count the live ones: a paint or a colour change that leaks an object
// shows as a count that does not come back. GUI thread only.
HBRUSH NewSolidBrush(COLORREF colour);
HFONT NewFont(const LOGFONTA& font);
HDC NewDisplayInfoContext();
// DeleteDC for a context, DeleteObject otherwise; 0 is ignored. An object the
// system refuses to delete (a font still selected into a context) stays
// counted.
void DeleteGdiObject(HGDIOBJ object);
int32_t LiveGdiObjects();

// Owns one object made by the functions above and deletes it when it goes.
template <typename Handle>
class TGdiOwner {
public:
    TGdiOwner() = default;
    explicit TGdiOwner(Handle object) : Object(object) {}
    ~TGdiOwner() { DeleteGdiObject(Object); }
    TGdiOwner(TGdiOwner&& other) noexcept : Object(std::exchange(other.Object, nullptr)) {}
    TGdiOwner& operator=(TGdiOwner&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.Object, nullptr));
        return *this;
    }
    TGdiOwner(const TGdiOwner&) = delete;
    TGdiOwner& operator=(const TGdiOwner&) = delete;

    Handle Get() const { return Object; }
    void Reset(Handle object = nullptr) {
        DeleteGdiObject(Object);
        Object = object;
    }

private:
    Handle Object{};
};

COLORREF BtnFaceColor();
COLORREF WindowColor();
COLORREF GrayTextColor();
COLORREF WindowTextColor();

bool PickColor(HWND owner, COLORREF& colour, COLORREF* customColours);

// Every caller passes (x, y, width, height) in the four fields, and the
// control library reads them that way.
void MakeRect(int left, int top, int right, int bottom, RECT& rect);
RECT MakeRect(int x, int y, int width, int height);
