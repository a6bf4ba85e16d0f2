// The explorer without a window, and the view state in a link.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Explorer.h"
#include "LoadScene.h"

namespace {

// ---- Links ---------------------------------------------------------------

struct LinkCase {
    const char* Fragment;
    TViewState Expected;   // the fields compared: tab, positions, settings
    uint32_t Background;
    const char* Note;      // a piece the note must hold; "" for no note
};

TViewState State(int32_t tab, int32_t h1, int32_t h2, int32_t v, int32_t cs = 2, bool c1 = false, int32_t ds = 10,
                 int32_t dl = 10, bool d1 = false) {
    return {tab, h1, h2, v, cs, c1, ds, dl, d1};
}

class ViewLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(ViewLinkTest, ReadsTheNearestValidStateAndNamesWhatItLeftOut) {
    const LinkCase& c = GetParam();
    const TLinkResult r = ParseViewLink(c.Fragment);
    const TViewState& v = r.Link.View;
    const TViewState& e = c.Expected;
    EXPECT_EQ(std::vector<int32_t>({v.Tab, v.H1, v.H2, v.V, v.TypeCSections, v.TypeCSingle, v.TypeDSections,
                                    v.TypeDLevel, v.TypeDSingle}),
              std::vector<int32_t>({e.Tab, e.H1, e.H2, e.V, e.TypeCSections, e.TypeCSingle, e.TypeDSections,
                                    e.TypeDLevel, e.TypeDSingle}))
        << c.Fragment;
    EXPECT_EQ(r.Link.Background, c.Background) << c.Fragment;
    if (*c.Note == '\0') EXPECT_EQ(r.Ignored, "") << c.Fragment;
    else EXPECT_NE(r.Ignored.find(c.Note), std::string::npos) << c.Fragment << ": " << r.Ignored;
    EXPECT_EQ(r.Ignored.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, ViewLinkTest,
    ::testing::Values(
        LinkCase{"", State(0, 0, 0, 100), 0, ""},
        LinkCase{"#tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=10", State(3, 0, 0, 4), 0, ""},
        LinkCase{"tab=1", State(1, 4, 0, 4), 0, ""},  // first-visit positions, as the export tool
        LinkCase{"v=5&tab=2&csection=32&csingle=1&h2=007", State(2, 4, 7, 5, 32, true), 0, ""},
        LinkCase{"tab=3&dsingle&dlevel=1&dsection=1&bg=0aFf80", State(3, 0, 0, 4, 2, false, 1, 1, true), 0x0AFF80, ""},
        LinkCase{"h1=99", State(0, 63, 0, 100), 0, "h1=99 (outside 0..63, took 63)"},
        LinkCase{"h1=-5&h2=99999999999999999999999", State(0, 0, 63, 100), 0, "h1=-5"},
        LinkCase{"tab=1&v=100", State(1, 4, 0, 63), 0, "on tab 1, took 63"},
        LinkCase{"tab=9", State(3, 0, 0, 4), 0, "tab=9"},
        LinkCase{"v=abc&h1=1.5", State(0, 0, 0, 100), 0, "v=abc (not a whole number)"},
        LinkCase{"bg=zz&bg=1234567", State(0, 0, 0, 100), 0, "bg=1234567 (not six hex digits)"},
        LinkCase{"csingle=2&&=5&foo=1", State(0, 0, 0, 100), 0, "=5 (unknown), foo=1 (unknown)"},
        LinkCase{"x\x01\x7f=1&dsingle", State(0, 0, 0, 100, 2, false, 10, 10, true), 0, "x?\?=1 (unknown)"}));

TEST(ViewLink, TextReadsBackAsTheSameLink) {
    for (const TViewLink& link : {TViewLink{State(0, 0, 0, 100), 0}, TViewLink{State(3, 5, 6, 7, 9, true, 3, 2, true), 0xFFFFFF},
                                  TViewLink{State(2, 63, 63, 63, 32, false), 0x010203}, TViewLink{State(1, 4, 0, 4, 2, false, 10, 1), 0}}) {
        const std::string text = ViewLinkText(link);
        const TLinkResult back = ParseViewLink(text);
        EXPECT_EQ(back.Ignored, "") << text;
        EXPECT_EQ(ViewLinkText(back.Link), text);
        EXPECT_EQ(back.Link.Background, link.Background) << text;
    }
    EXPECT_EQ(ViewLinkText({State(3, 0, 0, 4), 0}), "tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=10");
    EXPECT_EQ(ViewLinkText({State(0, 1, 2, 3, 5, true), 0xABCDEF}), "tab=0&h1=1&h2=2&v=3&csection=5&csingle=1&bg=abcdef");
}

// ---- The explorer --------------------------------------------------------

class ExplorerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(E.Loaded()); }

    std::vector<uint32_t> Frame() const {
        return {E.Frame(), E.Frame() + static_cast<size_t>(RenderWidth) * RenderHeight};
    }
    TTabScrollPos Bars() const {
        return {E.Position(TViewBar::H1), E.Position(TViewBar::H2), E.Position(TViewBar::V)};
    }

    TExplorer E;
};

TEST_F(ExplorerTest, EachViewTabKeepsItsOwnPositions) {
    E.SelectTab(1);
    E.SetPosition(TViewBar::H1, 10);
    E.SetPosition(TViewBar::H2, 20);
    E.SetPosition(TViewBar::V, 99);  // clamped as the bar clamps
    E.SelectTab(3);
    EXPECT_EQ(E.BarMax(TViewBar::V), 63);
    EXPECT_EQ(Bars().V, 4);  // TypeD's first visit
    E.SelectTab(4);          // Config: the last view tab's bars stay
    E.SelectTab(1);
    EXPECT_EQ(std::vector<int32_t>({Bars().H1, Bars().H2, Bars().V}), std::vector<int32_t>({10, 20, 63}));
}

TEST_F(ExplorerTest, TheToolStripStepsAndSwitchesWhatTheTabShows) {
    E.SelectTab(2);
    EXPECT_EQ(E.ModeCaption(), "Section");
    for (int i = 0; i < 40; ++i) E.Step(1);
    EXPECT_EQ(E.Setting(TSetting::TypeCSections), 32);
    E.SetToolChecked(true);
    EXPECT_TRUE(E.Single(TViewTab::TypeC));
    E.SelectTab(3);
    EXPECT_FALSE(E.ToolChecked());
    EXPECT_EQ(E.ModeCaption(), "Level");
    E.Step(-1);
    EXPECT_EQ(E.Setting(TSetting::TypeDLevel), 9);
    E.ToggleTypeDMode();
    EXPECT_EQ(E.ModeCaption(), "Section");
    for (int i = 0; i < 20; ++i) E.Step(-1);
    EXPECT_EQ(E.Setting(TSetting::TypeDSections), 1);
    EXPECT_EQ(E.Setting(TSetting::TypeDLevel), 9);
    E.SelectTab(1);  // no strip: the mode stays and nothing steps
    E.ToggleTypeDMode();
    E.Step(1);
    EXPECT_EQ(E.TypeDMode(), 1);
    EXPECT_EQ(E.Setting(TSetting::TypeDSections), 1);
}

TEST_F(ExplorerTest, DragsMoveTheBarsByTheProgramsRule) {
    struct Case {
        int32_t Tab;
        bool Shift, Control;
    };
    for (const Case c : {Case{0, false, false}, Case{0, false, true}, Case{1, true, false}, Case{3, false, true}}) {
        E.SelectTab(c.Tab);
        E.SetPosition(TViewBar::H1, 60);
        E.SetPosition(TViewBar::V, 50);
        const TTabScrollPos before = Bars();
        E.DragStart(100, 100);
        E.DragMove(250, 160, 300, 220, c.Shift, c.Control);
        const auto t = DragTarget({100, 100, before.H1, before.V}, c.Tab, 250, 160, 300, 220);
        ASSERT_TRUE(t);
        EXPECT_EQ(Bars().H1, c.Control ? before.H1 : t->H1) << c.Tab;
        EXPECT_EQ(Bars().V, c.Shift ? before.V : t->V) << c.Tab;
        EXPECT_EQ(Bars().H2, before.H2);
    }
}

TEST_F(ExplorerTest, AFrameIsTheExportFrameWhateverWasDrawnBefore) {
    const TViewLink link{State(3, 7, 30, 41, 2, false, 6, 7), 0x3366CC};
    // A history that leaves other textures, culling and angles behind.
    for (const int32_t tab : {0, 3, 1}) {
        E.SelectTab(tab);
        E.Render();
    }
    E.ApplyLink(link);
    const std::string status = E.Render();

    TScene fresh;
    ASSERT_TRUE(LoadScene(fresh));
    fresh.MainRender.BackColor = BackColorOf(link.Background);
    const auto expected = RenderShownView(fresh, link.View);
    ASSERT_TRUE(expected);
    EXPECT_EQ(status, StatusUtf8(*expected));
    EXPECT_TRUE(std::equal(fresh.MainRender.ColorBuffer, fresh.MainRender.ColorBuffer + RenderWidth * RenderHeight,
                           E.Frame()));
    E.SelectTab(0);
    EXPECT_EQ(E.Render(), "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=255");  // 色相, 明度
    E.SelectTab(5);
    EXPECT_EQ(E.Render(), "");
    EXPECT_EQ(E.Link().View.Tab, 0);  // the link keeps the last view tab
}

}  // namespace
