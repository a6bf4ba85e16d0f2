#include "WebPAnimation.h"

#include "ImageFiles.h"

namespace {

// The encoder's lossless effort, 0..9: 6 is libwebp's own default; more
// takes much longer for a few per cent.
constexpr int LosslessLevel = 6;

}  // namespace

TWebPAnimation::TWebPAnimation(int32_t width, int32_t height, int32_t delayMs)
    : Width(width), Height(height), DelayMs(delayMs) {
    WebPAnimEncoderOptions options;
    if (WebPAnimEncoderOptionsInit(&options)) {
        options.anim_params.loop_count = 0;  // for ever
        options.allow_mixed = 0;
        Encoder.reset(WebPAnimEncoderNew(width, height, &options));
    }
    if (!WebPConfigInit(&Config) || !WebPConfigLosslessPreset(&Config, LosslessLevel) || !WebPPictureInit(&Picture)) {
        Encoder.reset();
        return;
    }
    Picture.use_argb = 1;
    Picture.width = width;
    Picture.height = height;
    if (!WebPPictureAlloc(&Picture)) Encoder.reset();
}

TWebPAnimation::~TWebPAnimation() { WebPPictureFree(&Picture); }

bool TWebPAnimation::EncoderFailed() {
    Message = "cannot encode the animation: ";
    Message += Encoder ? WebPAnimEncoderGetError(Encoder.get()) : "out of memory";
    return false;
}

bool TWebPAnimation::Add(const uint32_t* pixels) {
    if (!Encoder) return EncoderFailed();
    for (int32_t y = 0; y < Height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(Width);
        uint32_t* argb = Picture.argb + static_cast<size_t>(y) * static_cast<size_t>(Picture.argb_stride);
        for (int32_t x = 0; x < Width; ++x) argb[x] = 0xFF000000 | row[x];
    }
    if (!WebPAnimEncoderAdd(Encoder.get(), &Picture, Count * DelayMs, &Config)) return EncoderFailed();
    ++Count;
    return true;
}

bool TWebPAnimation::Write(const std::string& path) {
    if (!Encoder) return EncoderFailed();
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(Encoder.get(), nullptr, Count * DelayMs, nullptr) ||
        !WebPAnimEncoderAssemble(Encoder.get(), &data)) {
        WebPDataClear(&data);
        return EncoderFailed();
    }
    TOutputFile file(path);
    const bool ok = file.Open() && file.Write(data.bytes, data.size) && file.Commit();
    WebPDataClear(&data);
    if (!ok) Message = file.Error();
    return ok;
}
