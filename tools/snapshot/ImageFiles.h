#pragma once
// Writing a frame buffer (0x??RRGGBB values, row 0 at the top) to a file.
#include <cstdint>
#include <string>

#include "SnapshotOptions.h"

// True on success; otherwise `error` says why and no file is left behind.
bool WriteImage(const std::string& path, TImageFormat format, const uint32_t* pixels, int32_t width, int32_t height,
                std::string& error);
