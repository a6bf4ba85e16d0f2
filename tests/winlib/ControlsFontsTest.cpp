// Fonts against a real device context: what Select and Deselect leave behind,
// the height rule, and the font handles' lifetimes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ControlsHarness.h"
#include "Fonts.h"

using namespace controls_test;

namespace {

bool IsDeleted(HGDIOBJ object) { return GetObjectType(object) == 0; }

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        dc = GetDC(parent.Handle);
        systemFont = GetCurrentObject(dc, OBJ_FONT);
    }
    void TearDown() override { ReleaseDC(parent.Handle, dc); }

    TParentWindow parent;
    HDC dc{};
    HGDIOBJ systemFont{};
};

TEST_F(FontTest, StartsFromTheSystemFontAtTwelvePoints) {
    LOGFONTA system{};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(system), &system);
    TAPIGFont font;
    EXPECT_EQ(font.Name, system.lfFaceName);
    EXPECT_EQ(font.Size, 12);
    EXPECT_EQ(font.Bold, system.lfWeight > 300);
    EXPECT_EQ(font.Handle, nullptr);
    EXPECT_EQ(font.Color, 0u);
}

TEST_F(FontTest, SystemNameLeavesFontAndTextColourAlone) {
    TAPIGFont font;
    font.Name = "System";
    font.Color = RGB(255, 0, 0);
    SetTextColor(dc, RGB(1, 2, 3));
    font.Select(dc);
    EXPECT_EQ(font.Handle, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), systemFont);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    font.Deselect(dc);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
}

TEST_F(FontTest, SelectThenDeselectRestoresThePreviousFontWithBlackText) {
    TAPIGFont font;
    font.Name = "Tahoma";
    font.Size = 14;
    font.Color = RGB(0, 0, 255);
    font.Select(dc);
    ASSERT_NE(font.Handle, nullptr);
    const HFONT ours = font.Handle;
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ours);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    EXPECT_STREQ(font.LogFont.lfFaceName, "Tahoma");
    EXPECT_EQ(font.LogFont.lfHeight, -MulDiv(14, GetDeviceCaps(dc, LOGPIXELSY), 72));

    font.Deselect(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), systemFont);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(font.Handle, nullptr);
    EXPECT_TRUE(IsDeleted(ours));
}

TEST_F(FontTest, SecondSelectUndoesTheFirstInsteadOfLeakingIt) {
    TAPIGFont font;
    font.Name = "Tahoma";
    font.Select(dc);
    const HFONT first = font.Handle;
    font.Select(dc);
    EXPECT_TRUE(IsDeleted(first));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.Handle);
    font.Deselect(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), systemFont);
}

TEST_F(FontTest, RenamingToSystemWhileSelectedStillDeselects) {
    TAPIGFont font;
    font.Name = "Tahoma";
    font.Select(dc);
    const HFONT ours = font.Handle;
    font.Name = "System";
    font.Deselect(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), systemFont);
    EXPECT_TRUE(IsDeleted(ours));
}

TEST_F(FontTest, UnknownFaceKeepsTheLastEnumeratedOne) {
    TAPIGFont font;
    LOGFONTA built{};
    font.Name = "Tahoma";
    font.BuildLogFont(built);
    EXPECT_STREQ(built.lfFaceName, "Tahoma");
    font.Name = "No Such Face Anywhere";
    font.BuildLogFont(built);
    EXPECT_STREQ(built.lfFaceName, "Tahoma");
}

TEST_F(FontTest, BuildLogFontOverlaysTheProperties) {
    TAPIGFont font;
    font.Name = "Tahoma";
    font.Bold = true;
    font.Italic = true;
    font.Underline = true;
    font.Escapement = 900;
    LOGFONTA built{};
    font.BuildLogFont(built);
    EXPECT_EQ(built.lfWeight, 700);
    EXPECT_EQ(built.lfItalic, 1);
    EXPECT_EQ(built.lfUnderline, 1);
    EXPECT_EQ(built.lfStrikeOut, 0);
    EXPECT_EQ(built.lfEscapement, 900);
    EXPECT_EQ(built.lfWidth, 0);
    font.Bold = false;
    font.BuildLogFont(built);
    EXPECT_EQ(built.lfWeight, 400);
}

TEST_F(FontTest, PointSizesRoundToNearestPixelHeights) {
    if (GetDeviceCaps(dc, LOGPIXELSY) != 96) GTEST_SKIP() << "the display is not at 96 dots per inch";
    TAPIGFont font;
    font.Name = "Tahoma";
    LOGFONTA built{};
    font.Size = 14;  // 18.67 pixels
    font.BuildLogFont(built);
    EXPECT_EQ(built.lfHeight, -19);
    font.Size = 8;  // 10.67 pixels
    font.BuildLogFont(built);
    EXPECT_EQ(built.lfHeight, -11);
}

TEST_F(FontTest, HeldFontIsReplacedAppliedAndFreed) {
    auto font = std::make_unique<TAPICFont>();
    font->Name = "Tahoma";
    font->Recreate();
    const HFONT first = font->Handle;
    font->Recreate();
    EXPECT_TRUE(IsDeleted(first));

    HWND button = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, parent.Handle, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    font->ApplyTo(button);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)), font->Handle);
    DestroyWindow(button);

    const HFONT held = font->Handle;
    font.reset();
    EXPECT_TRUE(IsDeleted(held));
}

TEST_F(FontTest, GuiFontTakesFaceAndPointSizeOfTheDefaultGuiFont) {
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    auto font = NewGuiFont();
    EXPECT_EQ(font->Name, gui.lfFaceName);
    EXPECT_EQ(font->Size, std::abs(gui.lfHeight) * 72 / dpi);
    EXPECT_FALSE(font->Bold);
    EXPECT_FALSE(font->Underline);
    EXPECT_NE(font->Handle, nullptr);
    if (dpi == 96 && gui.lfHeight == -11) {
        EXPECT_EQ(font->Size, 8);
    }
}

}  // namespace
