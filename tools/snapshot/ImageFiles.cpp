#include "ImageFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "WebPAnimation.h"

namespace {

namespace fs = std::filesystem;

// Follows a chain of symbolic links to the path a write should replace, so
// that writing through a link keeps the link.
std::string FinalTarget(const std::string& path) {
    constexpr int MaxLinks = 40;
    fs::path target = path;
    std::error_code ec;
    for (int i = 0; i < MaxLinks && fs::is_symlink(target, ec); ++i) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) break;
        target = next.is_relative() ? target.parent_path() / next : next;
    }
    return target.string();
}

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

std::vector<uint8_t> PpmBytes(const uint32_t* pixels, int32_t width, int32_t height) {
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<uint8_t> ppm(header.begin(), header.end());
    const std::vector<uint8_t> rgb = RgbBytes(pixels, width, height);
    ppm.insert(ppm.end(), rgb.begin(), rgb.end());
    return ppm;
}

std::vector<uint8_t> RawBytes(const uint32_t* pixels, int32_t width, int32_t height) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        for (int shift = 0; shift < 32; shift += 8) raw.push_back(static_cast<uint8_t>(pixels[i] >> shift));
    }
    return raw;
}

bool WritePng(TOutputFile& file, const uint32_t* pixels, int32_t width, int32_t height) {
    const std::vector<uint8_t> rgb = RgbBytes(pixels, width, height);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    errno = 0;
    if (!png_image_write_to_stdio(&image, file.Stream(), 0, rgb.data(), width * 3, nullptr)) {
        const std::string reason = errno ? std::strerror(errno) : image.message;
        png_image_free(&image);
        return file.Fail(reason);
    }
    return true;
}

}  // namespace

TOutputFile::~TOutputFile() {
    if (File && Kind != TKind::StandardOutput) std::fclose(File);
    if (!TempPath.empty()) ::unlink(TempPath.c_str());
}

bool TOutputFile::Fail(const std::string& reason) {
    Message = "cannot write " + (Kind == TKind::StandardOutput ? std::string("standard output") : Quoted(Path)) +
              ": " + reason;
    return false;
}

bool TOutputFile::FailErrno() { return Fail(std::strerror(errno)); }

bool TOutputFile::Open() {
    if (Path == StandardOutputPath) {
        Kind = TKind::StandardOutput;
        File = stdout;
        return true;
    }
    // stat follows links: the kind of what a write would reach.
    struct stat st {};
    if (::stat(Path.c_str(), &st) != 0) {
        if (errno != ENOENT) return FailErrno();
        return OpenTemporary(std::nullopt);
    }
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return FailErrno();
    }
    if (!S_ISREG(st.st_mode)) return OpenInPlace();
    return OpenTemporary(st.st_mode & 07777);
}

bool TOutputFile::OpenInPlace() {
    Kind = TKind::InPlace;
    // No O_CREAT or O_TRUNC: the node stays what it is. Opening a FIFO waits
    // for its reader, as any writer's does.
    const int fd = ::open(Path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return fd >= 0 ? Adopt(fd) : FailErrno();
}

bool TOutputFile::Adopt(int fd) {
    File = ::fdopen(fd, "wb");
    if (File) return true;
    const int error = errno;
    ::close(fd);
    errno = error;
    return FailErrno();
}

bool TOutputFile::OpenTemporary(std::optional<mode_t> keepMode) {
    Kind = TKind::Replaced;
    Target = FinalTarget(Path);
    const fs::path target(Target);
    const std::string stem = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-";
    // O_EXCL: the temporary file is always one this run created.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = (target.parent_path() / (stem + std::to_string(attempt))).string();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return FailErrno();
        }
        TempPath = candidate;
        if (keepMode && ::fchmod(fd, *keepMode) != 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return FailErrno();
        }
        return Adopt(fd);
    }
    return FailErrno();
}

bool TOutputFile::Write(const void* data, size_t size) {
    if (std::fwrite(data, 1, size, File) != size) return FailErrno();
    return true;
}

bool TOutputFile::Commit() {
    const bool flushed = std::fflush(File) == 0 && !std::ferror(File);
    const int flushError = errno;
    if (Kind == TKind::StandardOutput) {
        File = nullptr;
        errno = flushError;
        return flushed || FailErrno();
    }
    const bool closed = std::fclose(File) == 0;
    File = nullptr;
    if (!flushed) errno = flushError;
    if (!flushed || !closed) return FailErrno();
    if (Kind == TKind::InPlace) return true;
    if (std::rename(TempPath.c_str(), Target.c_str()) != 0) return FailErrno();
    TempPath.clear();
    return true;
}

bool WriteImage(const std::string& path, TImageFormat format, const uint32_t* pixels, int32_t width, int32_t height,
                std::string& error) {
    if (format == TImageFormat::WebP) {
        // An animation of one frame is assembled as a still image.
        TWebPAnimation still(width, height, DelayDefault);
        const bool ok = still.Add(pixels) && still.Write(path);
        if (!ok) error = still.Error();
        return ok;
    }
    TOutputFile file(path);
    bool ok = file.Open();
    if (format == TImageFormat::Png) {
        ok = ok && WritePng(file, pixels, width, height);
    } else {
        const std::vector<uint8_t> bytes =
            format == TImageFormat::Ppm ? PpmBytes(pixels, width, height) : RawBytes(pixels, width, height);
        ok = ok && file.Write(bytes.data(), bytes.size());
    }
    ok = ok && file.Commit();
    if (!ok) error = file.Error();
    return ok;
}
