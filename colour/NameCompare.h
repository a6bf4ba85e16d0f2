#pragma once
// The platform's comparison of names without regard to letter case: lstrcmpiA
// on Win32, ASCII letters elsewhere (the same for ASCII names). It lives with
// the model resources, the other platform seam of this folder.
#include <string_view>

bool SameTextNoCase(std::string_view a, std::string_view b);
