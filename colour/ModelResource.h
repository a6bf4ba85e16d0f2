#pragma once
// The embedded model texts, found by resource name without regard to case:
// "TEXT" resources of the executable on Win32, a compiled-in table elsewhere.
#include <optional>
#include <string>
#include <string_view>

// A copy of the bytes of the "TEXT" resource `name`, or empty when there is
// none or it cannot be loaded.
std::optional<std::string> FindModelResource(std::string_view name);
