#pragma once
// The embedded model texts, found by resource name without regard to case:
// "TEXT" resources of the executable on Win32, a compiled-in table elsewhere.
#include <optional>
#include <string>
#include <string_view>

// A copy of the bytes of the "TEXT" resource `name`, or empty when there is
// none or it cannot be loaded.
std::optional<std::string> FindModelResource(std::string_view name);

// The name comparison of the platform: lstrcmpiA on Win32, ASCII letters
// without regard to case elsewhere (the same for ASCII names).
bool SameTextNoCase(std::string_view a, std::string_view b);
