#include "Fonts.h"

#include <cstdlib>
#include <cstring>

#include "UtilFunc.h"

namespace {

constexpr char SystemFaceName[] = "System";
constexpr LONG PointsPerInch = 72;

// EnumFontFamiliesA hands every font of the family in turn; the last one wins.
int CALLBACK CopyEnumeratedFont(const LOGFONTA* font, const TEXTMETRICA* /*metrics*/,
                                DWORD /*fontType*/, LPARAM target) {
    std::memcpy(reinterpret_cast<LOGFONTA*>(target), font, sizeof(LOGFONTA));
    return 1;
}

std::string FaceNameOf(const LOGFONTA& font) {
    return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
}

BYTE Flag(bool on) { return on ? BYTE{1} : BYTE{0}; }

}  // namespace

TAPIGFont::TAPIGFont() {
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(LogFont), &LogFont);
    Name = FaceNameOf(LogFont);
    Size = 12;
    Escapement = LogFont.lfEscapement;
    Bold = LogFont.lfWeight > 300;
    Italic = LogFont.lfItalic != 0;
    Underline = LogFont.lfUnderline != 0;
    StrikeOut = LogFont.lfStrikeOut != 0;
}

TAPIGFont::~TAPIGFont() { DeleteGdiObject(Handle); }

void TAPIGFont::LookupFace(HDC dc) {
    EnumFontFamiliesA(dc, Name.c_str(), CopyEnumeratedFont, reinterpret_cast<LPARAM>(&LogFont));
}

void TAPIGFont::OverlayHeight(HDC dc) {
    LogFont.lfHeight = -MulDiv(Size, GetDeviceCaps(dc, LOGPIXELSY), PointsPerInch);
}

void TAPIGFont::OverlayStyle() {
    LogFont.lfWidth = 0;
    LogFont.lfEscapement = Escapement;
    LogFont.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
    LogFont.lfItalic = Flag(Italic);
    LogFont.lfUnderline = Flag(Underline);
    LogFont.lfStrikeOut = Flag(StrikeOut);
}

void TAPIGFont::UndoSelection(HDC dc) {
    SelectObject(dc, OldFont);
    DeleteGdiObject(Handle);
    Handle = nullptr;
}

void TAPIGFont::Select(HDC dc) {
    if (Name == SystemFaceName) return;
    // A second Select without Deselect would otherwise leak the first font
    // and lose the font it replaced.
    if (Handle) UndoSelection(dc);
    LookupFace(dc);
    OverlayHeight(dc);
    OverlayStyle();
    Handle = NewFont(LogFont);
    OldFont = SelectObject(dc, Handle);
    SetTextColor(dc, Color);
}

void TAPIGFont::Deselect(HDC dc) {
    // Decided by the handle alone: renaming the font to "System" between
    // Select and Deselect must not leave our font selected.
    if (!Handle) return;
    UndoSelection(dc);
    SetTextColor(dc, RGB(0, 0, 0));
}

void TAPIGFont::BuildLogFont(LOGFONTA& out) {
    const TGdiOwner<HDC> ic(NewDisplayInfoContext());
    LookupFace(ic.Get());
    OverlayHeight(ic.Get());
    OverlayStyle();
    out = LogFont;
}

void TAPICFont::Recreate() {
    DeleteGdiObject(Handle);
    LOGFONTA font{};
    BuildLogFont(font);
    Handle = NewFont(font);
}

void TAPICFont::ApplyTo(HWND window) const {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Handle), TRUE);
}

std::unique_ptr<TAPICFont> NewGuiFont() {
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    HDC screen = GetDC(nullptr);
    auto font = std::make_unique<TAPICFont>();
    font->Name = FaceNameOf(gui);
    // Truncating division: a -11 pixel font at 96 dpi is 8 points.
    font->Size = (std::abs(gui.lfHeight) * PointsPerInch) / GetDeviceCaps(screen, LOGPIXELSY);
    font->Bold = false;
    font->Underline = false;
    font->Recreate();
    ReleaseDC(nullptr, screen);
    return font;
}
