#include <windows.h>

#include "ModelResource.h"
#include "NameCompare.h"

bool SameTextNoCase(std::string_view a, std::string_view b) {
    const std::string left(a);
    const std::string right(b);
    return lstrcmpiA(left.c_str(), right.c_str()) == 0;
}

std::optional<std::string> FindModelResource(std::string_view name) {
    const std::string resourceName(name);
    HRSRC info = FindResourceA(nullptr, resourceName.c_str(), "TEXT");
    if (!info) return std::nullopt;
    HGLOBAL handle = LoadResource(nullptr, info);
    if (!handle) return std::nullopt;
    const DWORD size = SizeofResource(nullptr, info);
    const void* bytes = LockResource(handle);
    if (!bytes && size != 0) return std::nullopt;
    if (size == 0) return std::string();
    std::string text(static_cast<const char*>(bytes), size);
    // Resources of a module need no release; FreeResource is a no-op for them.
    return text;
}
