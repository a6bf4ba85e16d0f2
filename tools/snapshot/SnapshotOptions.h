#pragma once
// The command line of tintrover-snapshot.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "View.h"

enum class TImageFormat { Png, Ppm, Raw };

struct TSnapshotOptions {
    TViewState View;
    uint32_t Background = 0x000000;  // RRGGBB
    std::string OutPath;
    TImageFormat Format = TImageFormat::Png;
    bool Help = false;
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

extern const char* const SnapshotUsage;

// `text` in double quotes for a one-line message: quotes and backslashes are
// escaped, and so is every byte that could break the line or reach a terminal
// as a control (\n, \t, \x1b, C1 controls, bytes of malformed UTF-8).
std::string Quoted(std::string_view text);
