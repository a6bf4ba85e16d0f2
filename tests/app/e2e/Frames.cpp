#include "Frames.h"

#include <cstdio>
#include <fstream>
#include <iterator>

std::string TExpectedView::Key() const {
    char key[128];
    std::snprintf(key, sizeof key, "t%d_h%d_%d_v%d_c%d%s_d%d_%d%s_bg%06X", Tab, H1, H2, V, CSection,
                  CSingle ? "s" : "", DSection, DLevel, DSingle ? "s" : "",
                  static_cast<unsigned>(Background));
    return key;
}

std::optional<TReference> LoadReference(const std::string& dir, const TExpectedView& view) {
    const std::string stem = dir + "\\" + view.Key();
    std::ifstream raw(stem + ".raw", std::ios::binary);
    std::ifstream text(stem + ".txt", std::ios::binary);
    if (!raw || !text) return std::nullopt;
    TReference ref;
    ref.Pixels.resize(static_cast<size_t>(FrameW) * FrameH);
    raw.read(reinterpret_cast<char*>(ref.Pixels.data()),
             static_cast<std::streamsize>(ref.Pixels.size() * sizeof(uint32_t)));
    if (raw.gcount() != static_cast<std::streamsize>(ref.Pixels.size() * sizeof(uint32_t)))
        return std::nullopt;
    for (uint32_t& p : ref.Pixels) p &= 0xFFFFFF;  // the top byte is not shown
    std::string utf8((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
    while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r')) utf8.pop_back();
    if (!utf8.empty()) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        ref.Status.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), ref.Status.data(), n);
    }
    return ref;
}

std::vector<uint32_t> CaptureScreen(POINT topLeft, int w, int h) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, topLeft.x, topLeft.y, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                 static_cast<const uint32_t*>(bits) + static_cast<size_t>(w) * h);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;  // BGRA in memory: 0x00RRGGBB
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TFrameDiff CompareFrames(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want) {
    TFrameDiff diff;
    if (got.size() != want.size()) {
        diff.Count = -1;
        diff.First = "sizes differ";
        return diff;
    }
    for (size_t i = 0; i < got.size(); ++i) {
        if (got[i] == want[i]) continue;
        if (diff.Count++ == 0) {
            char text[96];
            std::snprintf(text, sizeof text, "(%d, %d): got %06X, want %06X", static_cast<int>(i % FrameW),
                          static_cast<int>(i / FrameW), got[i], want[i]);
            diff.First = text;
        }
    }
    return diff;
}
