// winlib-demo: one of each control of the window library on a panel in a
// small window. An optional number on the command line closes the window
// after that many seconds (for unattended screenshots).
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "APIControl.h"
#include "APIWindow.h"
#include "CmCtrl.h"
#include "GDIObject.h"
#include "UtilFunc.h"

namespace {

constexpr int PanelWidth = 400;
constexpr int PanelHeight = 262;
constexpr int Gap = 8;
constexpr UINT_PTR CloseTimer = 1;

TSDIMainWindow* MainWindow = nullptr;
std::unique_ptr<TAPICFont> GuiFont;
TAPIStatusBar* StatusBar = nullptr;
TAPIHScroll* HueBar = nullptr;
TAPIVScroll* ValueBar = nullptr;
TAPILabel* PageLabel = nullptr;
int CloseAfterSeconds = 0;

void ShowPositions(TMsgRec* /*rec*/) {
    if (!HueBar || !ValueBar) return;  // still being built
    StatusBar->SetText(0, "H " + IntToText(HueBar->Position()));
    StatusBar->SetText(1, "V " + IntToText(ValueBar->Position()));
}

void ShowClick(TMsgRec* rec) {
    StatusBar->SetText(2, "clicked tag " + IntToText(static_cast<int>(rec->WParam)));
}

void ShowTab(TMsgRec* rec) {
    auto* tab = static_cast<TAPITab*>(rec->Sender());
    StatusBar->SetText(2, "tab " + IntToText(tab->SelectedIndex()));
    if (PageLabel) PageLabel->SetCaption("A label on the page of tab " + IntToText(tab->SelectedIndex()));
}

// The owner-drawn controls take the interface font, not bold.
void UseGuiFont(TAPIGFont& font) {
    font.Name = GuiFont->Name;
    font.Size = GuiFont->Size;
    font.Bold = false;
}

void BuildOwnerDrawn(HWND panel) {
    auto* label = NewLabel(panel, 10, 10, 150, 26, "TAPILabel, framed");
    label->Framed = true;
    UseGuiFont(label->Font);
    label->SetTextFlags(DT_CENTER);

    auto* help = NewPlusButton(panel, 170, 10, 64, 26, 5, "Help", EdgeEtched, ShowClick);
    UseGuiFont(help->Font);

    auto* colour = NewPlusButton(panel, 242, 10, 64, 26, 4, "Colour", EdgeRaised, ShowClick);
    UseGuiFont(colour->Font);
    colour->Font.Color = RGB(255, 255, 255);
    colour->SetColor(RGB(40, 90, 160));

    auto* speed = TGDIObject::Create<TAPISpeedBtn>(panel);
    speed->SetBounds(MakeRect(314, 10, 76, 26));
    UseGuiFont(speed->Font);
    speed->SetCaption("Speed");
    speed->OnClick = ShowClick;
}

void BuildStandard(HWND panel) {
    auto* check = NewCheckBox(panel, 10, 44, 150, 20, "OnTop", nullptr);
    check->SetChecked(true);
    GuiFont->ApplyTo(check->Handle);

    auto* group = NewGroupBox(panel, 10, 70, 210, 86, "Settings");
    GuiFont->ApplyTo(group->Handle);
    HueBar = NewHScroll(group->Handle, 10, 24, 160, 16, ShowPositions);
    HueBar->SetMax(359);
    HueBar->SetPosition(120);
    ValueBar = NewVScroll(group->Handle, 182, 18, 16, 60, ShowPositions);
    ValueBar->SetPosition(40);

    auto* memo = NewMemo(panel, 230, 44, 160, 112);
    GuiFont->ApplyTo(memo->Handle);
    memo->SetText("TAPIMemo\r\nA multi-line edit with its own scroll bar.");
}

void BuildCommon(HWND panel) {
    auto* tab = NewTab(panel, 10, 164, 380, 88, ShowTab);
    GuiFont->ApplyTo(tab->Handle);
    for (const char* item : {"TypeA", "TypeB", "Config", "About"}) tab->AddItem(item);
    RECT page{};
    tab->GetDisplayRect(page);
    PageLabel = NewLabel(tab->Handle, page.left + 6, page.top + 6, page.right - page.left - 12, 24, "");
    PageLabel->SetFillMode(TAPILabel::FillTransparent);
    UseGuiFont(PageLabel->Font);
    tab->SetSelectedIndex(2);
}

// First, since the other controls' callbacks write to it.
void BuildStatusBar() {
    StatusBar = NewStatusBar(MainWindow->Handle, false);
    GuiFont->ApplyTo(StatusBar->Handle);
    StatusBar->PartWidths[0] = 70;
    StatusBar->PartWidths[1] = 70;
    StatusBar->SetParts(3);
}

void CloseLater(TMsgRec* rec) {
    if (rec->WParam == CloseTimer) PostMessageA(MainWindow->Handle, WM_CLOSE, 0, 0);
}

void OnCreateMain(TMsgRec* /*rec*/) {
    GuiFont = NewGuiFont();
    BuildStatusBar();
    auto* panel = NewPanel(MainWindow->Handle, Gap, Gap, PanelWidth, PanelHeight);
    panel->SetInnerEdge(TEdgeKind::Sunken);
    BuildOwnerDrawn(panel->Handle);
    BuildStandard(panel->Handle);
    BuildCommon(panel->Handle);
    ShowPositions(nullptr);
    StatusBar->SetText(2, "winlib demo");

    RECT bar{};
    StatusBar->GetPartRect(TAPIStatusBar::WholeBar, bar);
    MainWindow->SetClientWidth(PanelWidth + 2 * Gap);
    MainWindow->SetClientHeight(PanelHeight + 2 * Gap + (bar.bottom - bar.top));
    MainWindow->CenterOnScreen();
    if (CloseAfterSeconds > 0) SetTimer(MainWindow->Handle, CloseTimer, static_cast<UINT>(CloseAfterSeconds) * 1000, nullptr);
}

void OnDestroyMain(TMsgRec* /*rec*/) { PostQuitMessage(0); }

void SmallWindow(TWndCreateParams* p) {
    p->Style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX | WS_THICKFRAME);
    p->Width = 440;
    p->Height = 340;
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR commandLine, int /*show*/) {
    CloseAfterSeconds = std::atoi(commandLine);
    MainWindow = new TSDIMainWindow(nullptr, "winlib-demo");
    MainWindow->OnCreateParams = SmallWindow;
    MainWindow->OnCreate = OnCreateMain;
    MainWindow->OnDestroy = OnDestroyMain;
    MainWindow->AddMessageHandler(WM_TIMER, CloseLater);
    MainWindow->CreateWnd();
    const int32_t code = RunMessageLoop();
    FreeGlobalDispatcher();
    GuiFont.reset();
    return code;
}
