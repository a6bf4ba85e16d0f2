#include <array>

#include "UiValues.h"

std::string AboutText() {
    static constexpr std::array<const char*, 7> lines = {
        "Tintrover for XP",
        "Written by the Tintrover developers",
        "Source: the Tintrover project's own repository",
        "",
        "Built on C++20, MinGW-w64 and the Win32 API",
        "",
        "Compiled on 2007.10.20(Sat) 14:56",
    };
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}
