#include "ImageFiles.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> RgbBytes(const uint32_t* pixels, int32_t width, int32_t height) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        rgb.push_back(static_cast<uint8_t>(pixels[i] >> 16));
        rgb.push_back(static_cast<uint8_t>(pixels[i] >> 8));
        rgb.push_back(static_cast<uint8_t>(pixels[i]));
    }
    return rgb;
}

std::vector<uint8_t> RawBytes(const uint32_t* pixels, int32_t width, int32_t height) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        for (int shift = 0; shift < 32; shift += 8) raw.push_back(static_cast<uint8_t>(pixels[i] >> shift));
    }
    return raw;
}

bool WriteBytes(const std::string& path, const std::string& header, const std::vector<uint8_t>& bytes,
                std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot create \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) error = "cannot write \"" + path + "\"";
    return ok;
}

bool WritePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height, std::string& error) {
    const std::vector<uint8_t> rgb = RgbBytes(pixels, width, height);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr)) {
        error = "cannot write \"" + path + "\": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

}  // namespace

bool WriteImage(const std::string& path, TImageFormat format, const uint32_t* pixels, int32_t width, int32_t height,
                std::string& error) {
    bool ok = false;
    switch (format) {
        case TImageFormat::Png:
            ok = WritePng(path, pixels, width, height, error);
            break;
        case TImageFormat::Ppm:
            ok = WriteBytes(path, "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n",
                            RgbBytes(pixels, width, height), error);
            break;
        case TImageFormat::Raw:
            ok = WriteBytes(path, "", RawBytes(pixels, width, height), error);
            break;
    }
    if (!ok) std::remove(path.c_str());
    return ok;
}
