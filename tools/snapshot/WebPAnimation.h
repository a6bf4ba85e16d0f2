#pragma once
// A lossless animated WebP, built frame by frame and written whole.
#include <cstdint>
#include <memory>
#include <string>

#include <webp/encode.h>
#include <webp/mux.h>

class TWebPAnimation {
public:
    TWebPAnimation(int32_t width, int32_t height, int32_t delayMs);
    ~TWebPAnimation();
    TWebPAnimation(const TWebPAnimation&) = delete;
    TWebPAnimation& operator=(const TWebPAnimation&) = delete;

    // The next frame: width x height pixels 0x??RRGGBB, row 0 at the top,
    // shown for delayMs.
    bool Add(const uint32_t* pixels);
    // Assembles the animation and writes it to `path` (replaced only whole).
    bool Write(const std::string& path);
    const std::string& Error() const { return Message; }

private:
    struct TEncoderDeleter {
        void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
    };
    bool EncoderFailed();

    int32_t Width, Height, DelayMs;
    int32_t Count = 0;
    std::unique_ptr<WebPAnimEncoder, TEncoderDeleter> Encoder;
    WebPConfig Config{};
    WebPPicture Picture{};
    std::string Message;
};
