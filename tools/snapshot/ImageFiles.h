#pragma once
// Writing a frame buffer (0x??RRGGBB values, row 0 at the top) to a file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "SnapshotOptions.h"

// A new temporary file beside the file `path` names (beside the final target
// when `path` is a symbolic link) that replaces it only on Commit. Until then
// nothing under the final name changes; a file not committed is removed, and
// it is the only thing ever removed.
class TReplacingFile {
public:
    explicit TReplacingFile(std::string path) : Path(std::move(path)) {}
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    bool Open();
    std::FILE* Stream() const { return File; }
    bool Write(const void* data, size_t size);
    // Flushes, closes and renames the temporary file over the target.
    bool Commit();
    // "cannot write "PATH": reason" after a failure.
    const std::string& Error() const { return Message; }
    bool Fail(const std::string& reason);

private:
    bool FailErrno();

    std::string Path;
    std::string Target;
    std::string TempPath;
    std::FILE* File{};
    std::string Message;
};

// True on success; otherwise `error` says why and the file `path` names is as
// it was before.
bool WriteImage(const std::string& path, TImageFormat format, const uint32_t* pixels, int32_t width, int32_t height,
                std::string& error);
