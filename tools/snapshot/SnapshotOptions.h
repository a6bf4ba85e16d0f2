#pragma once
// The command line of tintrover-snapshot.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "View.h"

enum class TImageFormat { Png, Ppm, Raw, WebP };

// The view bar a sweep steps.
enum class TSweepBar { H1, H2, V };

// Ranges of the export options.
inline constexpr int32_t FramesMin = 2, FramesMax = 360;
inline constexpr int32_t DelayMin = 20, DelayMax = 10000, DelayDefault = 40;  // milliseconds
inline constexpr int32_t ScaleMin = 1, ScaleMax = 8;
inline constexpr int32_t AaMin = 1, AaMax = 4;
// Positions in one round of a wrapping bar: 63 shows the same 360 degrees as 0.
inline constexpr int32_t SweepRound = 63;

// An --out path holding one %0Nd: the file of frame k is Prefix, k in at least
// Digits digits with leading zeros, Suffix.
struct TNumberedPath {
    std::string Prefix, Suffix;
    int32_t Digits = 3;
    std::string At(int32_t index) const;
};

struct TSnapshotOptions {
    TViewState View;
    uint32_t Background = 0x000000;  // RRGGBB
    std::string OutPath;  // "-": standard output
    TImageFormat Format = TImageFormat::Png;
    std::optional<TNumberedPath> Numbered;
    std::optional<TSweepBar> Sweep;
    int32_t Frames = 0;  // 0: one frame per position of the swept bar
    int32_t DelayMs = DelayDefault;
    int32_t Scale = 1;
    int32_t Aa = 1;
    bool Help = false;
    bool Version = false;

    bool ToStandardOutput() const { return OutPath == "-"; }
};

struct TOptionsResult {
    bool Ok = true;
    std::string Error;  // one line, without the program name
    TSnapshotOptions Options;
};

// Parses the arguments after the program name. A position left out takes the
// value the tab shows on its first visit; every other setting left out takes
// the value the program starts with.
TOptionsResult ParseSnapshotOptions(const std::vector<std::string>& args);

// The view state of every frame: one without a sweep; with one, the swept bar
// stepped evenly from its given position once round (wrapping bars) or from
// 0 to 100 (the TypeA value bar).
std::vector<TViewState> FrameStates(const TSnapshotOptions& options);

extern const char* const SnapshotUsage;

// `text` in double quotes for a one-line message: quotes and backslashes are
// escaped, and so is every byte that could break the line or reach a terminal
// as a control (\n, \t, \x1b, C1 controls, bytes of malformed UTF-8).
std::string Quoted(std::string_view text);
