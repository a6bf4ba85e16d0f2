// tintrover-snapshot: renders view states of the colour solids to an image,
// an animation or numbered images, and prints the status text of each frame.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FrameMaker.h"
#include "ImageFiles.h"
#include "SnapshotOptions.h"
#include "TintroverVersion.h"
#include "WebPAnimation.h"

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "tintrover-snapshot: %s\n", message.c_str());
    return code;
}

// Standard output carries the tool's results (status lines, help), so a lost
// write is a failure like any other.
int FinishOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return Fail(ExitFailure, std::string("cannot write standard output: ") + std::strerror(errno));
    }
    return 0;
}

// Status lines go to standard output, or to standard error when the image
// does.
void PrintStatus(const TSnapshotOptions& options, const std::optional<TStatusText>& status) {
    std::fprintf(options.ToStandardOutput() ? stderr : stdout, "%s\n", status ? StatusUtf8(*status).c_str() : "");
}

// Renders every frame and writes it, or all of them as one animation. The
// status of a frame is printed once the frame is in its file.
bool WriteFrames(const TSnapshotOptions& options, TFrameMaker& maker, std::string& error) {
    const std::vector<TViewState> states = FrameStates(options);
    if (options.Format == TImageFormat::WebP) {
        TWebPAnimation animation(maker.Width(), maker.Height(), options.DelayMs);
        std::vector<std::optional<TStatusText>> statuses;
        const auto failed = [&] {
            error = animation.Error();
            return false;
        };
        for (const TViewState& state : states) {
            statuses.push_back(maker.Render(state));
            if (!animation.Add(maker.Frame())) return failed();
        }
        if (!animation.Write(options.OutPath)) return failed();
        for (const auto& status : statuses) PrintStatus(options, status);
        return true;
    }
    for (size_t k = 0; k < states.size(); ++k) {
        const auto status = maker.Render(states[k]);
        const std::string path = options.Numbered ? options.Numbered->At(static_cast<int32_t>(k)) : options.OutPath;
        if (!WriteImage(path, options.Format, maker.Frame(), maker.Width(), maker.Height(), error)) return false;
        PrintStatus(options, status);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const TOptionsResult parsed = ParseSnapshotOptions(args);
    if (!parsed.Ok) return Fail(ExitUsage, parsed.Error);
    const TSnapshotOptions& options = parsed.Options;
    if (options.Help || options.Version) {
        if (options.Help) std::fputs(SnapshotUsage, stdout);
        if (options.Version) std::printf("tintrover-snapshot %s\n", TintroverVersion);
        return FinishOutput();
    }

    TFrameMaker maker(options.Scale, options.Aa, options.Background);
    if (!maker.Loaded()) return Fail(ExitFailure, "the embedded models did not load");
    std::string error;
    if (!WriteFrames(options, maker, error)) return Fail(ExitFailure, error);
    return FinishOutput();
}
