#pragma once
// Fonts described by face name and point size: a drawing-time font selected
// for one paint (TAPIGFont) and a held font handle for WM_SETFONT and text
// measurement (TAPICFont).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "TObject.h"

class TAPIGFont : public TObject {
public:
    TAPIGFont();  // starts from the stock system font, 12 points
    // Deletes a font still held: a TAPICFont's handle, or a selection that
    // was never undone.
    ~TAPIGFont() override;

    // Creates the described font and selects it into dc; a selection that is
    // still active is undone first. Does nothing while Name is "System".
    void Select(HDC dc);
    // Undoes Select when a font of ours is selected: restores the previous
    // font, deletes ours and sets the text colour to black.
    void Deselect(HDC dc);
    // The description for the display, with the face looked up.
    void BuildLogFont(LOGFONTA& out);

    LOGFONTA LogFont{};
    HFONT Handle{};
    HGDIOBJ OldFont{};
    std::string Name;
    int32_t Size{};
    int32_t Escapement{};
    bool Bold{};
    bool Italic{};
    bool Underline{};
    bool StrikeOut{};
    COLORREF Color{};

protected:
    // Copies the last enumerated font of the family Name over LogFont; an
    // unknown face leaves LogFont as it was.
    void LookupFace(HDC dc);
    void OverlayHeight(HDC dc);
    void OverlayStyle();

private:
    void UndoSelection(HDC dc);
};

class TAPICFont : public TAPIGFont {
public:
    // Replaces Handle by a font built from the current properties.
    void Recreate();
    void ApplyTo(HWND window) const;  // WM_SETFONT, with redraw
};

// The interface font: face and point size of DEFAULT_GUI_FONT, not bold, not
// underlined.
std::unique_ptr<TAPICFont> NewGuiFont();
