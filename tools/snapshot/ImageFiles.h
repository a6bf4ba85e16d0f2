#pragma once
// Writing a frame buffer (0x??RRGGBB values, row 0 at the top) to a file.
#include <cstdint>
#include <sys/types.h>

#include <cstdio>
#include <optional>
#include <string>

#include "SnapshotOptions.h"

// "--out -": the image goes to standard output.
inline constexpr const char* StandardOutputPath = "-";

// Where an image is written. A missing or regular file (through symbolic
// links, the file they lead to) is replaced whole: a new temporary file beside
// it, with the old file's permission bits, takes its name only on Commit, so
// until then nothing under the final name changes; a file not committed is
// removed, and it is the only thing ever removed. Anything else that exists
// (a device, a FIFO, a socket) is opened and written in place, never
// replaced, and "-" is standard output.
class TOutputFile {
public:
    explicit TOutputFile(std::string path) : Path(std::move(path)) {}
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    bool Open();
    std::FILE* Stream() const { return File; }
    bool Write(const void* data, size_t size);
    // Flushes and closes; renames a temporary file over the target.
    bool Commit();
    // "cannot write "PATH": reason" after a failure.
    const std::string& Error() const { return Message; }
    bool Fail(const std::string& reason);

private:
    enum class TKind { Replaced, InPlace, StandardOutput };
    bool FailErrno();
    bool OpenInPlace();
    bool OpenTemporary(std::optional<mode_t> keepMode);
    bool Adopt(int fd);  // a stream over fd, which is closed if none can be made

    TKind Kind = TKind::Replaced;
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
