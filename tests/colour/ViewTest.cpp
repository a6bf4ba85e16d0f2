#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ColorMath.h"
#include "ColourTestSupport.h"
#include "MunsellChips.h"
#include "View.h"

namespace {

constexpr uint32_t Background = 0xFF000000;

TViewState State(int32_t tab, int32_t h1, int32_t h2, int32_t v) {
    TViewState s;
    s.Tab = tab;
    s.H1 = h1;
    s.H2 = h2;
    s.V = v;
    return s;
}

class View : public LoadedScene {
protected:
    std::optional<TStatusText> Render(const TViewState& state) {
        ApplyTabChange(Scene, state.Tab);
        return RenderView(Scene, state);
    }
    std::vector<uint32_t> Frame() const {
        const TRender& r = Scene.MainRender;
        return {r.ColorBuffer, r.ColorBuffer + static_cast<size_t>(r.Width) * static_cast<size_t>(r.Height)};
    }
    std::set<uint32_t> Texels(TSceneSlotId slot) {
        std::set<uint32_t> texels;
        const TObjectList& model = *Scene.Slot(slot).Model;
        for (int32_t i = 0; i < model.Count(); ++i) {
            const TTexture* t = model.GetAs<TPrimitive>(i)->Texture;
            for (int32_t k = 0; k < t->Width * t->Height; ++k) texels.insert(t->Pixels[k]);
        }
        return texels;
    }
    std::set<uint32_t> CellColours(TSceneSlotId slot) {
        std::set<uint32_t> colours;
        const TObjectList& model = *Scene.Slot(slot).Model;
        for (int32_t i = 0; i < model.Count(); ++i) colours.insert(model.GetAs<TPrimitive>(i)->Color);
        return colours;
    }
    // Every frame colour is the background or one of `allowed`.
    void ExpectFrameColoursWithin(const std::set<uint32_t>& allowed) {
        for (uint32_t c : FrameColours()) {
            if (c != Background) {
                EXPECT_TRUE(allowed.count(c)) << std::hex << c;
            }
        }
    }
    int32_t LowestDrawnRow() const {
        for (int32_t y = RenderHeight - 1; y >= 0; --y) {
            for (int32_t x = 0; x < RenderWidth; ++x) {
                if (FramePixel(x, y) != Background) return y;
            }
        }
        return -1;
    }
};

TEST(ViewDegrees, PositionsTurnIntoDegreesRoundedToNearest) {
    struct Case {
        int32_t p, degrees;
    };
    for (const Case c : {Case{0, 0}, {1, 6}, {4, 23}, {7, 40}, {31, 177}, {32, 183}, {62, 354}, {63, 360}}) {
        EXPECT_EQ(PositionToDegrees(c.p), c.degrees) << c.p;
    }
}

TEST_F(View, TypeAStatusNamesHueAndValueInCodePage932AndUtf16) {
    const auto status = Render(State(0, 5, 5, 100));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->Ansi, "\x90\x46\x91\x8A=0 / \x96\xBE\x93\x78=255");
    EXPECT_EQ(status->Wide, u"\u8272\u76F8=0 / \u660E\u5EA6=255");
    EXPECT_EQ(Render(State(0, 5, 5, 0))->Wide, u"\u8272\u76F8=0 / \u660E\u5EA6=0");
    EXPECT_EQ(Render(State(0, 5, 5, 50))->Wide, u"\u8272\u76F8=0 / \u660E\u5EA6=128");  // 127.5, a tie
    EXPECT_TRUE(Scene.SceneReady);
    EXPECT_TRUE(Scene.MainRender.CullBackFaces);
}

TEST_F(View, TypeAWrapsTheFullTurnDifferenceToRed) {
    const auto status = Render(State(0, 0, 63, 100));
    EXPECT_EQ(status->Ansi, "\x90\x46\x91\x8A=-360 / \x96\xBE\x93\x78=255");
    EXPECT_EQ(Scene.LastPlaneHue, -360);
    EXPECT_EQ(Scene.HuePlanePixels[127], 0xFF0000u);
}

TEST_F(View, TypeARegeneratesTexturesOnlyForANewHueOrValue) {
    Render(State(0, 4, 0, 50));
    EXPECT_EQ(Scene.LastPlaneHue, 23);
    EXPECT_EQ(Scene.LastCircleValue, 128);
    EXPECT_EQ(Scene.HuePlanePixels[127], HsvToPixel(23, 255, 255));
    EXPECT_EQ(Scene.HueCirclePixels[127 * 256 + 128], 0x808080u);
    // The textures follow the view, so the frame does not depend on history.
    Render(State(0, 0, 0, 100));
    const std::vector<uint32_t> revisited = Frame();
    TScene fresh;
    ASSERT_TRUE(LoadScene(fresh));
    RenderView(fresh, State(0, 0, 0, 100));
    EXPECT_EQ(revisited, std::vector<uint32_t>(fresh.MainRender.ColorBuffer, fresh.MainRender.ColorBuffer + 300 * 220));
}

TEST_F(View, TypeAShowsOnlyTexelsOfTheCircleAndThePlane) {
    Render(State(0, 10, 30, 70));
    std::set<uint32_t> allowed = Texels(TSceneSlotId::HueCircle);
    allowed.merge(Texels(TSceneSlotId::HuePlane));
    ExpectFrameColoursWithin(allowed);
    EXPECT_GT(FrameColours().size(), 1000u);
}

TEST_F(View, TypeACircleRisesAsTheValueFalls) {
    // The circle hangs below the plane at full value, so the lowest drawn row
    // is the circle's. The lift is applied before the tilt about the
    // horizontal axis (-0.45 radians): 40 units rise by 40 * cos 0.45 = 36 rows.
    Render(State(0, 0, 0, 100));
    const int32_t full = LowestDrawnRow();
    Render(State(0, 0, 0, 60));
    const int32_t lower = LowestDrawnRow();
    EXPECT_GT(full, 190);
    EXPECT_NEAR(full - lower, 36, 1);
}

TEST_F(View, AngleStatusesOfTypesBToD) {
    struct Case {
        int32_t tab;
        const char* text;
    };
    for (const Case c : {Case{1, "( 23 , 23 , 0 )"}, {2, "( 337 , 23 , 0 )"}, {3, "( 23 , 23 , 0 )"}}) {
        const auto status = Render(State(c.tab, 4, 0, 4));
        ASSERT_TRUE(status);
        EXPECT_EQ(status->Ansi, c.text);
        EXPECT_EQ(status->Wide, std::u16string(c.text, c.text + std::char_traits<char>::length(c.text)));
    }
    EXPECT_EQ(Render(State(1, 63, 7, 0))->Ansi, "( 0 , 360 , 40 )");
    EXPECT_EQ(Render(State(2, 63, 7, 0))->Ansi, "( 360 , 360 , 40 )");
}

TEST_F(View, TabsWithoutASolidLeaveTheClearedFrameReady) {
    Render(State(1, 4, 0, 4));
    for (int32_t tab : {4, 5, -1}) {
        Scene.SceneReady = false;
        EXPECT_FALSE(Render(State(tab, 4, 0, 4)));
        EXPECT_TRUE(Scene.SceneReady);
        EXPECT_EQ(FrameColours(), std::set<uint32_t>{Background});
    }
}

TEST_F(View, TabChangesSetBackFaceCullingForTheirSolids) {
    struct Case {
        int32_t tab;
        bool before, after;
    };
    for (const Case c : {Case{0, false, false}, {1, false, true}, {2, true, false}, {3, true, false}, {4, true, true},
                         {5, false, false}}) {
        Scene.MainRender.CullBackFaces = c.before;
        ApplyTabChange(Scene, c.tab);
        EXPECT_EQ(Scene.MainRender.CullBackFaces, c.after) << c.tab;
    }
}

TEST_F(View, TypeBFacingTheFrontShowsTheFrontFaceSquare) {
    Render(State(1, 0, 0, 0));
    // The face spans 100 model units around the frame's centre column.
    std::set<uint32_t> front;
    const TTexture* face = Cell(TSceneSlotId::ColorBox, 0)->Texture;
    front.insert(face->Pixels, face->Pixels + 128 * 128);
    ExpectFrameColoursWithin(front);
    int32_t left = RenderWidth, right = -1, top = RenderHeight, bottom = -1;
    for (int32_t y = 0; y < RenderHeight; ++y) {
        for (int32_t x = 0; x < RenderWidth; ++x) {
            if (FramePixel(x, y) == Background) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_NEAR(left, 100, 1);
    EXPECT_NEAR(right, 199, 1);
    EXPECT_NEAR(top, 70, 1);
    EXPECT_NEAR(bottom, 169, 1);
    // Green at the top left, yellow at the top right, black and red below.
    const uint32_t topLeft = FramePixel(left + 1, top + 1);
    EXPECT_LE(topLeft >> 16 & 0xFF, 0x10u);
    EXPECT_GE(topLeft >> 8 & 0xFF, 0xF0u);
    EXPECT_LE(topLeft & 0xFF, 0x10u);
    const uint32_t topRight = FramePixel(right - 1, top + 1);
    EXPECT_GE(topRight >> 16 & 0xFF, 0xF0u);
    EXPECT_GE(topRight >> 8 & 0xFF, 0xF0u);
    EXPECT_LE(FramePixel(left + 1, bottom - 1) & 0xFFFFFF, 0x030303u);
    EXPECT_GE(FramePixel(right - 1, bottom - 1) >> 16 & 0xFF, 0xF0u);
    // At the centre, halfway between green-yellow above and black-red below.
    const uint32_t centre = FramePixel(150, 120);
    EXPECT_NEAR(static_cast<int>(centre >> 16 & 0xFF), 128, 4) << std::hex << centre;
    EXPECT_NEAR(static_cast<int>(centre >> 8 & 0xFF), 128, 6) << std::hex << centre;
    EXPECT_EQ(centre & 0xFF, 0u) << std::hex << centre;
}

TEST_F(View, TypeBShowsOnlyCubeTexelsAndThreeFacesFromAbove) {
    Render(State(1, 4, 0, 4));
    ExpectFrameColoursWithin(Texels(TSceneSlotId::ColorBox));
    // Only the texels of the front, right and top faces survive culling.
    std::set<uint32_t> seen = FrameColours();
    seen.erase(Background);
    EXPECT_GT(seen.size(), 3000u);
}

TEST_F(View, TypeCDrawsSectionsWithTheirApexHuesAndRepeatsExactly) {
    TViewState state = State(2, 4, 0, 4);
    state.TypeCSections = 2;
    Render(state);
    const std::vector<uint32_t> first = Frame();
    const std::set<uint32_t> colours = FrameColours();
    EXPECT_TRUE(colours.count(0xFF0000));  // section 0, hue 0
    // Section 1: 32 * 360 / 63 = 182.86 gives hue 183.
    EXPECT_TRUE(colours.count(HsvToPixel(183, 255, 255)));
    Render(state);
    EXPECT_EQ(Frame(), first);  // the advanced angle is replaced on every call
    EXPECT_FALSE(Scene.MainRender.CullBackFaces);
}

TEST_F(View, TypeCSingleSectionShowsOnlyThatSectionsCells) {
    TViewState state = State(2, 0, 0, 0);
    state.TypeCSingle = true;
    state.TypeCSections = 32;  // hue 360: red; turned by 6.4 radians
    Render(state);
    ExpectFrameColoursWithin(CellColours(TSceneSlotId::Ostwalt));
    EXPECT_EQ(*Scene.OstwaltCells[35], 0xFF0000u);
    EXPECT_TRUE(FrameColours().count(0xFF0000));
    EXPECT_FLOAT_EQ(Scene.Slot(TSceneSlotId::Ostwalt).RotY, 6.4f);
    state.TypeCSections = 2;  // 22.5 rounds to 22
    Render(state);
    EXPECT_EQ(*Scene.OstwaltCells[35], HsvToPixel(22, 255, 255));
}

TEST_F(View, TypeCWithOneSectionDrawsHueZero) {
    TViewState state = State(2, 4, 0, 4);
    state.TypeCSections = 1;
    Render(state);
    ExpectFrameColoursWithin(CellColours(TSceneSlotId::Ostwalt));
    EXPECT_EQ(*Scene.OstwaltCells[35], 0xFF0000u);
}

TEST_F(View, TypeDAtLevelOneShowsOnlyTheNeutralColumn) {
    TViewState state = State(3, 0, 0, 4);
    state.TypeDLevel = 1;
    Render(state);
    const std::set<uint32_t> greys(MunsellGreys.begin(), MunsellGreys.end());
    ExpectFrameColoursWithin(greys);
    EXPECT_TRUE(FrameColours().count(MunsellGreys[0]));
    EXPECT_TRUE(FrameColours().count(MunsellGreys[9]));
}

TEST_F(View, TypeDWithAllPagesShowsChipsOfManyPagesAndRepeatsExactly) {
    TViewState state = State(3, 0, 0, 4);
    Render(state);
    const std::vector<uint32_t> first = Frame();
    std::set<uint32_t> allowed(MunsellChips.begin(), MunsellChips.end());
    allowed.insert(MunsellGreys.begin(), MunsellGreys.end());
    ExpectFrameColoursWithin(allowed);
    std::set<int32_t> pages;
    for (uint32_t c : FrameColours()) {
        for (int32_t k = 0; k < 800; ++k) {
            if (MunsellChips[k] == c) pages.insert(k / 80);
        }
    }
    EXPECT_GE(pages.size(), 8u);
    Render(state);
    EXPECT_EQ(Frame(), first);
}

TEST_F(View, TypeDSinglePageShowsThatPageAlone) {
    TViewState state = State(3, 0, 0, 0);
    state.TypeDSingle = true;
    state.TypeDSections = 3;  // page 2
    Render(state);
    std::set<uint32_t> allowed(MunsellChips.begin() + 2 * 80, MunsellChips.begin() + 3 * 80);
    allowed.insert(MunsellGreys.begin(), MunsellGreys.end());
    ExpectFrameColoursWithin(allowed);
    EXPECT_TRUE(FrameColours().count(0xFFFF00));  // page 2, row 2, chroma 8, facing the viewer
    EXPECT_FLOAT_EQ(Scene.Slot(TSceneSlotId::Munsell).RotY, 2 * 0.64f);
}

}  // namespace
