#pragma once
// The model texts compiled into builds without Win32 resources; the table is
// generated from colour/models by EmbedModels.cmake.
#include <array>
#include <string_view>

struct TEmbeddedModel {
    std::string_view Name;   // upper case, as a resource compiler stores it
    std::string_view Bytes;  // the file's bytes exactly
};

extern const std::array<TEmbeddedModel, 5> EmbeddedModels;
