#pragma once
// What the view should show, as the driver derives it from the inputs it
// sent, and the reference frames the native snapshot renderer made for such
// states before the run.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TExpectedView {
    int Tab = 0;
    int H1 = 0, H2 = 0, V = 100;
    int CSection = 2;
    bool CSingle = false;
    int DSection = 10, DLevel = 10;
    bool DSingle = false;
    uint32_t Background = 0x000000;  // 0xRRGGBB

    // The file name stem of the reference frame for this state; the fixture
    // builds the same name from the same numbers.
    std::string Key() const;
};

inline constexpr int FrameW = 300;
inline constexpr int FrameH = 220;

struct TReference {
    std::vector<uint32_t> Pixels;  // 0x00RRGGBB, row 0 at the top
    std::wstring Status;           // the status line the renderer printed
};

// Reads <dir>/<key>.raw and <dir>/<key>.txt; none when the state has no
// reference (it then belongs in the list of states).
std::optional<TReference> LoadReference(const std::string& dir, const TExpectedView& view);

// The colours of a w x h block of the screen, as 0x00RRGGBB.
std::vector<uint32_t> CaptureScreen(POINT topLeft, int w, int h);

// The number of pixels that differ, and the first of them as text.
struct TFrameDiff {
    int Count = 0;
    std::string First;
};
TFrameDiff CompareFrames(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want);
