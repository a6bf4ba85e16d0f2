// Tab changes: each view tab keeps its three scroll positions; the pages,
// scroll bars and tool strip are set up for the tab selected.
#include "AppState.h"
#include "ToolRules.h"

void RefreshView() { App.ViewScrollV->SetPosition(App.ViewScrollV->Position()); }

void ShowViewControls(bool showView, bool showTools) {
    App.ViewPage->SetVisible(showView);
    App.InfoMemo->SetVisible(!showView);
    for (TAPIHScroll* bar : {static_cast<TAPIHScroll*>(App.ViewScrollV), App.ViewScrollH1, App.ViewScrollH2})
        bar->SetEnabled(showView);
    App.ToolCheck->SetVisible(showTools);
    for (TCDPlusNoBtn* b : {App.ModeButton(), App.MinusButton(), App.ValueButton(), App.PlusButton()})
        b->SetVisible(showTools);
}

void SetToolBar(const char* modeCaption, const std::string& valueCaption, bool checked,
                bool showTools) {
    App.ModeButton()->SetCaption(modeCaption);
    App.ValueButton()->SetCaption(valueCaption);
    App.ToolCheck->SetChecked(checked);
    ShowViewControls(true, showTools);
}

void OnTabChanging(TMsgRec* /*rec*/) {
    // The tab being left; none at all (-1) or a page tab has nothing to save.
    const int32_t s = App.PageTab->SelectedIndex();
    if (!IsViewTab(s)) return;
    App.TabScrollPos[static_cast<size_t>(s)] = {App.ViewScrollH1->Position(),
                                                App.ViewScrollH2->Position(),
                                                App.ViewScrollV->Position()};
}

namespace {

void ShowPage(bool config, const std::string& memoText) {
    ShowViewControls(false, false);
    App.ConfigPage->SetVisible(config);
    App.InfoMemo->SetVisible(!config);
    App.InfoMemo->SetText(memoText);
}

// Puts the tab's saved positions back with no view callback installed, so the
// restoring itself renders nothing.
void RestorePositions(int32_t t) {
    const TTabScroll& pos = App.TabScrollPos[static_cast<size_t>(t)];
    App.ViewScrollV->SetMax(TabScrollMax[static_cast<size_t>(t)]);
    App.ViewScrollV->OnScroll = nullptr;
    App.ViewScrollH1->OnScroll = nullptr;
    App.ViewScrollH2->OnScroll = nullptr;
    App.ViewScrollH1->OnTrack = nullptr;
    App.ViewScrollH2->OnTrack = nullptr;
    App.ViewScrollV->SetPosition(pos.V);
    App.ViewScrollH1->SetPosition(pos.H1);
    App.ViewScrollH2->SetPosition(pos.H2);
    App.ViewScrollV->OnScroll = App.SavedScrollHandlers.V;
    App.ViewScrollH1->OnScroll = App.SavedScrollHandlers.H1;
    App.ViewScrollH1->OnTrack = App.SavedScrollHandlers.H1;
}

void SetUpToolStrip(int32_t t) {
    TRender& render = App.Scene->MainRender;
    switch (static_cast<TTab>(t)) {
    case TTab::TypeA:
        SetToolBar("", "", false, false);
        break;
    case TTab::TypeB:
        render.CullBackFaces = true;
        SetToolBar("", "", false, false);
        break;
    case TTab::TypeC:
        SetToolBar(UiStrings[2], App.TypeCSectionValue->Caption, App.TypeCSingleCheck->Checked, true);
        App.ModeButton()->SetEdge(EdgeNone);
        App.ModeButton()->TextOffset = 1;
        App.ModeButton()->SetEnabled(false);
        render.CullBackFaces = false;
        break;
    default: {  // TypeD: the mode picks Level (0) or Section (1)
        const bool section = App.TypeDMode != 0;
        const TAPILabel* value = section ? App.TypeDSectionValue : App.TypeDLevelValue;
        SetToolBar(UiStrings[TypeDModeCaption(App.TypeDMode)], value->Caption, App.TypeDSingleCheck->Checked, true);
        App.ModeButton()->SetEdge(EdgeEtched);
        App.ModeButton()->TextOffset = 0;
        App.ModeButton()->SetEnabled(true);
        render.CullBackFaces = false;
        break;
    }
    }
}

}  // namespace

void OnTabChanged(TMsgRec* /*rec*/) {
    const int32_t t = App.PageTab->SelectedIndex();
    App.CurrentTab = t;
    App.MainStatusBar->SetText(0, std::string());
    if (t == static_cast<int32_t>(TTab::Config)) {
        ShowPage(true, UiStrings[19]);
        return;
    }
    if (t == static_cast<int32_t>(TTab::About)) {
        ShowPage(false, AboutText());
        return;
    }
    if (!IsViewTab(t)) return;  // no tab selected
    RestorePositions(t);
    SetUpToolStrip(t);
    RefreshView();
    App.ViewScrollH2->OnScroll = App.SavedScrollHandlers.H2;
    App.ViewScrollH2->OnTrack = App.SavedScrollHandlers.H2;
}
