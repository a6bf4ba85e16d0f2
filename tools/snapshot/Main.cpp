// tintrover-snapshot: renders one view state of the colour solids to an image
// and prints its status text.
#include <cstdio>
#include <string>
#include <vector>

#include "ImageFiles.h"
#include "LoadScene.h"
#include "SnapshotOptions.h"
#include "View.h"

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "tintrover-snapshot: %s\n", message.c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const TOptionsResult parsed = ParseSnapshotOptions(args);
    if (!parsed.Ok) return Fail(ExitUsage, parsed.Error);
    const TSnapshotOptions& options = parsed.Options;
    if (options.Help) {
        std::fputs(SnapshotUsage, stdout);
        return 0;
    }

    TScene scene;
    if (!LoadScene(scene)) return Fail(ExitFailure, "the embedded models did not load");
    // The colour dialog's choice, in the renderer's 0xAARRGGBB form.
    scene.MainRender.BackColor = 0xFF000000 | options.Background;
    // Arriving at the tab through the tab control leaves the renderer's switches
    // as the tab change sets them; every other part of the frame follows from
    // the positions and settings alone, so one render reproduces it.
    ApplyTabChange(scene, options.View.Tab);
    const auto status = RenderView(scene, options.View);

    std::string error;
    if (!WriteImage(options.OutPath, options.Format, scene.MainRender.ColorBuffer, scene.MainRender.Width,
                    scene.MainRender.Height, error)) {
        return Fail(ExitFailure, error);
    }
    std::printf("%s\n", status ? Utf8(status->Wide).c_str() : "");
    return 0;
}
