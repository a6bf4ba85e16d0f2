// Handlers of the settings scroll bars, the tool strip, the Config page's
// buttons and the main window's activation.
#include "AppState.h"
#include "ToolRules.h"
#include "UtilFunc.h"

#include <shellapi.h>  // after <windows.h>

namespace {

void ShowPosition(TAPILabel* label, const TAPIHScroll* bar) {
    label->SetCaption(IntToText(bar->Position()));
}

// The settings scroll bar the minus and plus buttons step on this tab.
TAPIHScroll* StepTarget() {
    switch (StepSettingFor(App.CurrentTab, App.TypeDMode)) {
    case TSetting::TypeCSections: return App.TypeCSectionScroll;
    case TSetting::TypeDSections: return App.TypeDSectionScroll;
    case TSetting::TypeDLevel: break;
    }
    return App.TypeDLevelScroll;
}

int32_t TagOf(const TMsgRec* rec) { return static_cast<int32_t>(rec->WParam); }

}  // namespace

void OnTypeCSectionScroll(TMsgRec*) { ShowPosition(App.TypeCSectionValue, App.TypeCSectionScroll); }
void OnTypeDLevelScroll(TMsgRec*) { ShowPosition(App.TypeDLevelValue, App.TypeDLevelScroll); }
void OnTypeDSectionScroll(TMsgRec*) { ShowPosition(App.TypeDSectionValue, App.TypeDSectionScroll); }

void OnToolCheckClick(TMsgRec* /*rec*/) {
    TAPICheckBox* target = CheckIsTypeDSingle(App.CurrentTab) ? App.TypeDSingleCheck : App.TypeCSingleCheck;
    target->SetChecked(App.ToolCheck->Checked);
    RefreshView();
}

void OnColorClick(TMsgRec* /*rec*/) {
    COLORREF c = App.ColorButton()->Color;
    if (PickColor(App.MainWindow->Handle, c, App.CustomColors.data())) SetBackgroundColor(c);
    App.PressedButton = -1;
    if (IsViewTab(App.CurrentTab)) RefreshView();
}

void SetBackgroundColor(COLORREF c) {
    App.ColorButton()->SetColor(c);
    App.Scene->MainRender.BackColor =
        BackColorOf(uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c));
}

void OnStepClick(TMsgRec* rec) {
    App.PressedButton = -1;
    TAPIHScroll* target = StepTarget();
    const int step = TagOf(rec) == static_cast<int32_t>(TToolTag::Minus) ? -1 : 1;
    target->SetPosition(target->Position() + step);  // clamped by the bar
    App.ValueButton()->SetCaption(IntToText(target->Position()));
    RefreshView();
}

void OnModeClick(TMsgRec* /*rec*/) {
    App.PressedButton = -1;
    if (App.PageTab->SelectedIndex() != static_cast<int32_t>(TTab::TypeD)) return;
    App.TypeDMode ^= 1;
    App.PageTab->SetSelectedIndex(static_cast<int32_t>(TTab::TypeD));
}

void OnHelpClick(TMsgRec* /*rec*/) {
    App.PressedButton = -1;
    const std::string path = ExeFolder() + "\\tintrover.chm";
    ShellExecuteA(App.MainWindow->Handle, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
}

void OnToolPress(TMsgRec* rec) { App.PressedButton = TagOf(rec); }

void OnTopClick(TMsgRec* /*rec*/) {
    SetTopmost(App.MainWindow->Handle, App.OnTopCheck->Checked ? HWND_TOPMOST : HWND_NOTOPMOST);
}

void OnActivateMain(TMsgRec* rec) {
    if (LOWORD(rec->WParam) != WA_INACTIVE) return;
    const int32_t tag = App.PressedButton;
    if (tag < 0 || tag >= ToolButtonCount) return;
    App.ToolButtons[static_cast<size_t>(tag)]->CancelPress();
    App.PressedButton = -1;
}
