// Owner-drawn buttons and labels on a real parent window: the pixels they
// paint, read back from the window, and their answers to the parent's mouse
// messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsHarness.h"
#include "GDIObject.h"
#include "UtilFunc.h"

using namespace controls_test;

namespace {

struct TEvent {
    std::string Kind;
    TMsgRec Rec;
};
std::vector<TEvent> Events;

void RecordClick(TMsgRec* rec) { Events.push_back({"click", *rec}); }
void RecordDown(TMsgRec* rec) { Events.push_back({"down", *rec}); }
void RecordDrag(TMsgRec* rec) { Events.push_back({"drag", *rec}); }
void RecordRightClick(TMsgRec* rec) { Events.push_back({"right", *rec}); }

std::vector<std::string> Kinds() {
    std::vector<std::string> kinds;
    for (const TEvent& e : Events) kinds.push_back(e.Kind);
    return kinds;
}

COLORREF Sys(int index) { return GetSysColor(index); }

RECT Deflated(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

class OwnerDrawnTest : public ::testing::Test {
protected:
    void SetUp() override { Events.clear(); }

    void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageA(parent.Handle, msg, keys, PointParam(x, y));
    }
    void Click(int x, int y) {
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y);
    }
    COLORREF Pixel(int x, int y) { return PixelAt(parent.Handle, x, y); }

    template <typename T>
    T* Make(int x, int y, int width, int height, const std::string& caption = "") {
        T* control = TGDIObject::Create<T>(parent.Handle);
        control->SetBounds(MakeRect(x, y, width, height));
        control->SetCaption(caption);
        return control;
    }

    TParentWindow parent;
};

// ---- painting ----

using ButtonPaintTest = OwnerDrawnTest;

TEST_F(ButtonPaintTest, FaceIsFilledAndFramedByTheRaisedEdge) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "", EdgeRaised, nullptr);
    button->SetColor(RGB(200, 0, 0));
    parent.Settle();
    EXPECT_EQ(Pixel(50, 35), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(20, 20), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(Pixel(21, 21), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(79, 49), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(Pixel(78, 48), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(19, 35), parent.Back);
    EXPECT_EQ(Pixel(80, 35), parent.Back);
}

TEST_F(ButtonPaintTest, PressShowsTheSunkenEdgeAndEdgeNoneShowsOnlyTheFace) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "", EdgeRaised, nullptr);
    Mouse(WM_LBUTTONDOWN, 30, 30);
    EXPECT_EQ(Pixel(20, 20), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(21, 21), Sys(COLOR_3DDKSHADOW));
    Mouse(WM_LBUTTONUP, 30, 30);
    button->SetEdge(EdgeNone);
    button->Repaint();
    EXPECT_EQ(Pixel(20, 20), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Pixel(79, 49), Sys(COLOR_BTNFACE));
}

TEST_F(ButtonPaintTest, InnerEdgeDrawsASecondEdgeInside) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "", EdgeRaised, nullptr);
    button->SetColor(RGB(200, 0, 0));
    EXPECT_EQ(Pixel(22, 22), RGB(200, 0, 0));
    button->InnerEdge = true;
    button->Repaint();
    // The inner edge's outer ring starts one pixel in.
    EXPECT_EQ(Pixel(21, 21), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(Pixel(22, 22), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(ButtonPaintTest, DisabledColourButtonShowsTheButtonFace) {
    auto* button = Make<TAPIColorBtn>(20, 20, 60, 30);
    button->SetColor(RGB(0, 0, 200));
    EXPECT_EQ(Pixel(50, 35), RGB(0, 0, 200));
    button->SetEnabled(false);
    EXPECT_EQ(Pixel(50, 35), Sys(COLOR_BTNFACE));
}

// How far the caption moves when the button is pressed, per class and edge.
struct TShiftCase {
    const char* Name;
    int Kind;  // 0 speed, 1 colour, 2 plus-no
    int32_t RestEdge;
    int32_t TextOffset;
    int ExpectedShift;
};

class ButtonTextShiftTest : public OwnerDrawnTest, public ::testing::WithParamInterface<TShiftCase> {};

TEST_P(ButtonTextShiftTest, CaptionMovesBetweenRestAndPress) {
    const TShiftCase& c = GetParam();
    TAPISpeedBtn* button = nullptr;
    if (c.Kind == 0) button = Make<TAPISpeedBtn>(20, 20, 60, 30, "W");
    if (c.Kind == 1) button = Make<TAPIColorBtn>(20, 20, 60, 30, "W");
    if (c.Kind == 2) {
        auto* plus = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "W", c.RestEdge, nullptr);
        plus->Edge = c.RestEdge;
        button = plus;
    }
    button->TextOffset = c.TextOffset;
    button->Repaint();
    const RECT inner = Deflated(button->ItemRect, 3);
    const auto rest = InkBox(parent.Handle, inner, Sys(COLOR_BTNFACE));
    Mouse(WM_LBUTTONDOWN, 30, 30);
    ASSERT_TRUE(button->Pressed);
    const auto pressed = InkBox(parent.Handle, inner, Sys(COLOR_BTNFACE));
    ASSERT_TRUE(rest && pressed);
    EXPECT_EQ(pressed->left - rest->left, c.ExpectedShift);
    EXPECT_EQ(pressed->top - rest->top, c.ExpectedShift);
    EXPECT_EQ(pressed->right - pressed->left, rest->right - rest->left);
}

INSTANTIATE_TEST_SUITE_P(
    PerClass, ButtonTextShiftTest,
    ::testing::Values(TShiftCase{"SpeedRaised", 0, EdgeRaised, 1, -1},
                      TShiftCase{"ColourRaised", 1, EdgeRaised, 1, -2},
                      TShiftCase{"PlusEtched", 2, EdgeEtched, 1, -1},
                      TShiftCase{"PlusRaisedOffsetZero", 2, EdgeRaised, 0, -1},
                      TShiftCase{"PlusNoEdge", 2, EdgeNone, 1, 0}),
    [](const auto& tested) { return std::string(tested.param.Name); });

// The text colour each class sets up, enabled and disabled.
struct TTextColourCase {
    const char* Name;
    int Kind;  // 0 speed, 1 colour, 2 plus-no
    bool Enabled;
    bool NamedFont;  // a face other than "System", coloured green
    bool DisabledUsesFontColor;
    int ExpectedSysColor;  // -1: the green font colour, -2: TextColor blue
};

class ButtonTextColourTest : public OwnerDrawnTest, public ::testing::WithParamInterface<TTextColourCase> {};

TEST_P(ButtonTextColourTest, CaptionIsDrawnInTheColourOfItsSetUp) {
    const TTextColourCase& c = GetParam();
    constexpr COLORREF Green = RGB(0, 160, 0);
    constexpr COLORREF Blue = RGB(0, 0, 255);
    TAPISpeedBtn* button = nullptr;
    if (c.Kind == 0) button = Make<TAPISpeedBtn>(10, 10, 200, 60);
    if (c.Kind == 1) {
        auto* colour = Make<TAPIColorBtn>(10, 10, 200, 60);
        colour->TextColor = Blue;
        button = colour;
    }
    if (c.Kind == 2) {
        auto* plus = NewPlusButton(parent.Handle, 10, 10, 200, 60, 0, "", EdgeRaised, nullptr);
        plus->DisabledUsesFontColor = c.DisabledUsesFontColor;
        button = plus;
    }
    if (c.NamedFont) {
        button->Font.Name = "Tahoma";
        button->Font.Size = 20;
        button->Font.Bold = true;
        button->Font.Color = Green;
    }
    button->Enabled = c.Enabled;
    button->SetCaption("WWW");
    const COLORREF expected = c.ExpectedSysColor == -1   ? Green
                              : c.ExpectedSysColor == -2 ? Blue
                                                         : Sys(c.ExpectedSysColor);
    EXPECT_TRUE(HasPixelOf(parent.Handle, Deflated(button->ItemRect, 3), expected));
    EXPECT_EQ(button->Font.Handle, nullptr);  // deselected within the paint
}

INSTANTIATE_TEST_SUITE_P(
    PerClass, ButtonTextColourTest,
    ::testing::Values(TTextColourCase{"SpeedDisabledSystemFont", 0, false, false, false, COLOR_GRAYTEXT},
                      TTextColourCase{"SpeedDisabledNamedFontOverridesGrey", 0, false, true, false, -1},
                      TTextColourCase{"ColourEnabled", 1, true, false, false, -2},
                      TTextColourCase{"ColourDisabled", 1, false, true, false, COLOR_GRAYTEXT},
                      TTextColourCase{"PlusEnabledNamedFont", 2, true, true, true, -1},
                      TTextColourCase{"PlusDisabledUsesFontColour", 2, false, true, true, -1},
                      TTextColourCase{"PlusDisabledGrey", 2, false, true, false, COLOR_GRAYTEXT}),
    [](const auto& tested) { return std::string(tested.param.Name); });

TEST_F(ButtonPaintTest, HiddenButtonNeitherPaintsNorReactsAndDeletionErasesIt) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "", EdgeRaised, RecordClick);
    button->SetColor(RGB(200, 0, 0));
    button->SetVisible(false);
    parent.Settle();
    EXPECT_EQ(Pixel(50, 35), parent.Back);
    Click(50, 35);
    EXPECT_TRUE(Events.empty());
    button->SetVisible(true);
    EXPECT_EQ(Pixel(50, 35), RGB(200, 0, 0));

    delete button;
    parent.Settle();
    EXPECT_EQ(Pixel(50, 35), parent.Back);
}

TEST_F(ButtonPaintTest, ParentPaintRepaintsTheControlsOverTheErasedBackground) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "", EdgeRaised, nullptr);
    button->SetColor(RGB(200, 0, 0));
    InvalidateRect(parent.Handle, nullptr, TRUE);
    parent.Settle();
    EXPECT_EQ(Pixel(50, 35), RGB(200, 0, 0));
}

TEST_F(ButtonPaintTest, PaintsCreateNoLastingGdiObjects) {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (before == 0) GTEST_SKIP() << "GDI object counts are not reported here";
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 0, "Go", EdgeRaised, nullptr);
    button->Font.Name = "Tahoma";
    auto* label = NewLabel(parent.Handle, 100, 20, 60, 30, "Label");
    label->Font.Name = "Tahoma";
    label->Framed = true;
    for (int i = 0; i < 50; ++i) {
        button->Repaint();
        label->Repaint();
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 2);
}

// ---- mouse ----

using PlusButtonMouseTest = OwnerDrawnTest;

TEST_F(PlusButtonMouseTest, PressAndReleaseInsideReportsMouseDownThenClickWithTag) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 7, "", EdgeEtched, RecordClick);
    button->OnMouseDown = RecordDown;
    Mouse(WM_LBUTTONDOWN, 30, 25, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), parent.Handle);
    EXPECT_EQ(button->Edge, EdgeSunken);
    Mouse(WM_LBUTTONUP, 40, 26);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(button->Edge, EdgeEtched);
    EXPECT_FALSE(button->Pressed);

    ASSERT_EQ(Kinds(), (std::vector<std::string>{"down", "click"}));
    for (const TEvent& e : Events) {
        EXPECT_EQ(e.Rec.Sender(), button);
        EXPECT_EQ(e.Rec.WParam, 7u);
        EXPECT_EQ(e.Rec.Result, 0);
    }
    EXPECT_EQ(Events[0].Rec.LParam, PointParam(30, 25));
    EXPECT_EQ(Events[1].Rec.LParam, PointParam(40, 26));
}

TEST_F(PlusButtonMouseTest, ReleaseOutsideReturnsToRestWithoutClick) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 1, "", EdgeEtched, RecordClick);
    Mouse(WM_LBUTTONDOWN, 30, 25);
    Mouse(WM_LBUTTONUP, 200, 200);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(button->Edge, EdgeEtched);
    EXPECT_FALSE(button->Pressed);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PlusButtonMouseTest, WithoutSetEdgeTheFirstPressEndsOnNoEdge) {
    auto* button = TGDIObject::Create<TCDPlusNoBtn>(parent.Handle);
    button->SetBounds(MakeRect(20, 20, 60, 30));
    EXPECT_EQ(button->Edge, EdgeRaised);
    Click(30, 30);
    EXPECT_EQ(button->Edge, EdgeNone);
}

TEST_F(PlusButtonMouseTest, DisabledWhileHeldReleasesTheCaptureWithoutClick) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 1, "", EdgeEtched, RecordClick);
    Mouse(WM_LBUTTONDOWN, 30, 25);
    button->SetEnabled(false);
    Mouse(WM_LBUTTONUP, 30, 25);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PlusButtonMouseTest, DisabledButtonIgnoresPresses) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 1, "", EdgeEtched, RecordClick);
    button->SetEnabled(false);
    Click(30, 25);
    EXPECT_FALSE(button->Pressed);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PlusButtonMouseTest, CancelPressRestoresColourAndEdgeOnlyWhenPressed) {
    auto* button = NewPlusButton(parent.Handle, 20, 20, 60, 30, 1, "", EdgeEtched, RecordClick);
    button->SetColor(RGB(200, 0, 0));
    EXPECT_FALSE(button->CancelPress());
    EXPECT_EQ(button->Edge, EdgeEtched);

    Mouse(WM_LBUTTONDOWN, 30, 25);
    button->SetColor(RGB(0, 0, 200));
    EXPECT_TRUE(button->CancelPress());
    EXPECT_FALSE(button->Pressed);
    EXPECT_EQ(button->Edge, EdgeEtched);
    EXPECT_EQ(button->Color, RGB(200, 0, 0));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Pixel(50, 35), RGB(200, 0, 0));
    Mouse(WM_LBUTTONUP, 30, 25);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PlusButtonMouseTest, NegativePointsDuringCaptureCountAsOutside) {
    // Read as unsigned, x = -5 is 65531: outside even a rectangle from -10.
    NewPlusButton(parent.Handle, -10, 20, 60, 30, 1, "", EdgeEtched, RecordClick);
    Mouse(WM_LBUTTONDOWN, 5, 25);
    Mouse(WM_LBUTTONUP, -5, 25);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PlusButtonMouseTest, PlusButtonDragsFromAnywhereAndRightClicksEvenDisabled) {
    auto* button = TGDIObject::Create<TCDPlusBtn>(parent.Handle);
    button->SetBounds(MakeRect(20, 20, 60, 30));
    button->Tag = 3;
    button->OnDrag = RecordDrag;
    button->OnRightClick = RecordRightClick;
    button->OnClick = RecordClick;
    Mouse(WM_MOUSEMOVE, 250, 150);  // not pressed: no drag
    Mouse(WM_LBUTTONDOWN, 30, 25);
    Mouse(WM_MOUSEMOVE, 250, 150);
    Mouse(WM_LBUTTONUP, 250, 150);
    button->SetEnabled(false);
    Mouse(WM_RBUTTONUP, 30, 25);
    Mouse(WM_RBUTTONUP, 250, 150);
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"drag", "right"}));
    EXPECT_EQ(Events[0].Rec.LParam, PointParam(250, 150));
    EXPECT_EQ(Events[1].Rec.WParam, 3u);
}

TEST_F(PlusButtonMouseTest, PlusButtonReleaseFreesTheCaptureEvenWhenNotPressed) {
    TGDIObject::Create<TCDPlusBtn>(parent.Handle)->SetBounds(MakeRect(20, 20, 60, 30));
    SetCapture(parent.Handle);
    Mouse(WM_LBUTTONUP, 200, 200);
    EXPECT_EQ(GetCapture(), nullptr);
}

using SpeedButtonMouseTest = OwnerDrawnTest;

TEST_F(SpeedButtonMouseTest, ClickKeepsTheKeyFlagsAndTakesNoCapture) {
    auto* button = Make<TAPISpeedBtn>(20, 20, 60, 30);
    button->OnClick = RecordClick;
    Mouse(WM_LBUTTONDOWN, 30, 25, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_LBUTTONUP, 30, 25, MK_SHIFT);
    ASSERT_EQ(Kinds(), std::vector<std::string>{"click"});
    EXPECT_EQ(Events[0].Rec.Sender(), button);
    EXPECT_EQ(Events[0].Rec.WParam, static_cast<WPARAM>(MK_SHIFT));
}

TEST_F(SpeedButtonMouseTest, DraggedOutRaisesAgainAndGivesNoClick) {
    auto* button = Make<TAPISpeedBtn>(20, 20, 60, 30);
    button->OnClick = RecordClick;
    Mouse(WM_LBUTTONDOWN, 30, 25);
    Mouse(WM_MOUSEMOVE, 200, 200);
    EXPECT_FALSE(button->Pressed);
    EXPECT_EQ(button->Edge, EdgeRaised);
    Mouse(WM_MOUSEMOVE, 30, 25);
    EXPECT_FALSE(button->Pressed);
    Mouse(WM_LBUTTONUP, 30, 25);
    EXPECT_TRUE(Events.empty());
}

// ---- labels ----

using LabelTest = OwnerDrawnTest;

TEST_F(LabelTest, EmptyCaptionStillFillsAndFrames) {
    auto* label = NewLabel(parent.Handle, 10, 10, 100, 40, "");
    label->Framed = true;
    label->FrameColor = RGB(0, 0, 255);
    label->SetBackColor(RGB(255, 0, 0));
    EXPECT_EQ(Pixel(10, 10), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(109, 49), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(11, 11), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(60, 30), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(110, 30), parent.Back);
}

TEST_F(LabelTest, TransparentFillModeLeavesTheParentBackground) {
    auto* label = NewLabel(parent.Handle, 10, 10, 100, 40, "");
    label->SetFillMode(TAPILabel::FillTransparent);
    InvalidateRect(parent.Handle, nullptr, TRUE);
    parent.Settle();
    EXPECT_EQ(Pixel(60, 30), parent.Back);
}

TEST_F(LabelTest, DefaultCaptionIsDrawnInsideTheMargin) {
    auto* label = TGDIObject::Create<TAPILabel>(parent.Handle);
    label->SetBounds(MakeRect(10, 10, 200, 40));
    EXPECT_EQ(label->Caption, "TAPILabel");
    const auto ink = InkBox(parent.Handle, label->ItemRect, RGB(255, 255, 255));
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->left, 10 + label->Margin);
    EXPECT_GE(ink->top, 10 + label->Margin);
    EXPECT_LE(ink->right, 210 - label->Margin);
}

TEST_F(LabelTest, CentredTextStartsFurtherRight) {
    auto* label = NewLabel(parent.Handle, 10, 10, 200, 40, "ab");
    const auto left = InkBox(parent.Handle, label->ItemRect, RGB(255, 255, 255));
    label->SetTextFlags(DT_CENTER);
    const auto centred = InkBox(parent.Handle, label->ItemRect, RGB(255, 255, 255));
    ASSERT_TRUE(left && centred);
    EXPECT_GT(centred->left, left->left + 50);
    EXPECT_EQ(centred->right - centred->left, left->right - left->left);
}

TEST_F(LabelTest, LabelIgnoresMouseAndEnabled) {
    auto* label = NewLabel(parent.Handle, 10, 10, 100, 40, "");
    label->SetBackColor(RGB(255, 0, 0));
    label->SetEnabled(false);
    EXPECT_EQ(Pixel(60, 30), RGB(255, 0, 0));
    label->SetVisible(false);
    parent.Settle();
    EXPECT_EQ(Pixel(60, 30), parent.Back);
}

}  // namespace
