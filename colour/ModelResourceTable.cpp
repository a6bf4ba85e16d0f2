#include "EmbeddedModels.h"
#include "ModelResource.h"
#include "NameCompare.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SameTextNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

std::optional<std::string> FindModelResource(std::string_view name) {
    for (const TEmbeddedModel& model : EmbeddedModels) {
        if (SameTextNoCase(name, model.Name)) return std::string(model.Bytes);
    }
    return std::nullopt;
}
