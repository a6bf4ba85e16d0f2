// Every wrapper family placed above 4 GiB, where a reference narrowed to 32
// bits cannot survive, and whose memory becomes unreadable once destroyed, so
// that touching a destroyed wrapper during shut-down ends the program.
#include <gtest/gtest.h>

#include <vector>

#include "APIControl.h"
#include "CmCtrl.h"
#include "ControlsHarness.h"
#include "GDIObject.h"
#include "HighHeap.h"
#include "UtilFunc.h"

using namespace controls_test;

namespace {

template <typename T>
class THigh : public T, public THighHeapObject {
public:
    explicit THigh(HWND parent) : T(parent) {}
};

std::vector<TMsgRec> Seen;
void Record(TMsgRec* rec) { Seen.push_back(*rec); }
void RecordNotify(TMsgRec* rec, NMHDR* /*header*/) { Seen.push_back(*rec); }

class HighAddressTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { THighHeap::InstallFaultReporter(); }
    void SetUp() override { Seen.clear(); }

    template <typename T>
    T* Standard(HWND owner, int x, int y, int width, int height) {
        auto* control = TSelfSubClass::Create<THigh<T>>(owner);
        control->SetBounds(MakeRect(x, y, width, height));
        EXPECT_TRUE(THighHeap::IsHigh(control));
        return control;
    }

    TParentWindow parent{400, 300};
};

TEST_F(HighAddressTest, WrappersAboveFourGiBWorkAndDieWithTheirParent) {
    auto* group = Standard<TAPIGroupBox>(parent.Handle, 10, 10, 200, 100);
    auto* bar = Standard<TAPIHScroll>(group->Handle, 10, 20, 150, 16);
    bar->OnScroll = Record;
    bar->SetBarColor(RGB(1, 2, 3));
    auto* box = Standard<TAPICheckBox>(parent.Handle, 10, 120, 100, 20);
    box->OnClick = Record;
    auto* button = TGDIObject::Create<THigh<TCDPlusNoBtn>>(parent.Handle);
    button->SetBounds(MakeRect(220, 10, 60, 24));
    button->OnClick = Record;
    auto* tab = TCmCtrl::Create<THigh<TAPITab>>(parent.Handle);
    tab->SetBounds(MakeRect(10, 150, 300, 100));
    tab->AddItem("one");
    tab->AddItem("two");
    tab->OnChange = Record;
    auto* status = TCmCtrl::Create<THigh<TAPIStatusBar>>(parent.Handle);
    status->OnClick = RecordNotify;
    const std::vector<TSubClass*> all{group, bar, box, button, tab, status};
    for (TSubClass* receiver : all) ASSERT_TRUE(THighHeap::IsHigh(receiver));

    EXPECT_EQ(GetPropA(box->Handle, "OBJECT"), box);
    SendMessageA(box->Handle, BM_CLICK, 0, 0);
    SendMessageA(group->Handle, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar->Handle));
    SendMessageA(parent.Handle, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(230, 20));
    SendMessageA(parent.Handle, WM_LBUTTONUP, 0, PointParam(230, 20));
    tab->SetSelectedIndex(1);
    SendMessageA(status->Handle, WM_LBUTTONUP, 0, PointParam(5, 5));
    ASSERT_EQ(Seen.size(), 5u);
    EXPECT_EQ(Seen[0].Sender(), box);
    EXPECT_EQ(reinterpret_cast<HWND>(Seen[1].LParam), bar->Handle);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(Seen[2].Sender(), button);
    EXPECT_EQ(Seen[3].Sender(), tab);
    EXPECT_EQ(Seen[4].Sender(), status);
    HDC dc = GetDC(bar->Handle);
    const auto brush = SendMessageA(group->Handle, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(bar->Handle));
    ReleaseDC(bar->Handle, dc);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(brush)), static_cast<DWORD>(OBJ_BRUSH));

    parent.Destroy();
    for (TSubClass* receiver : all) {
        EXPECT_TRUE(THighHeap::IsFreed(receiver));
        EXPECT_FALSE(GlobalDispatcher->IsLive(receiver));
    }
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(brush)), 0u);
    THighHeap::ReleaseAll();
}

}  // namespace
