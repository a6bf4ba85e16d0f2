#pragma once
// Small Win32 helpers shared by the window library and the application: paths
// of the executable, the message loop, window placement, system colours, the
// colour dialog, integer-to-text and the rectangle setter.
#include <windows.h>

#include <cstdint>
#include <string>

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
COLORREF BtnFaceColor();
COLORREF WindowColor();
COLORREF GrayTextColor();
COLORREF WindowTextColor();

bool PickColor(HWND owner, COLORREF& colour, COLORREF* customColours);

// Every caller passes (x, y, width, height) in the four fields, and the
// control library reads them that way.
void MakeRect(int left, int top, int right, int bottom, RECT& rect);
RECT MakeRect(int x, int y, int width, int height);
