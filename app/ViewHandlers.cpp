// The view page's hooks: presenting the frame, and turning a drag into scroll
// positions.
#include "AppState.h"
#include "DragMath.h"

void OnViewPaint(TMsgRec* /*rec*/) {
    if (!App.Scene || !App.Scene->SceneReady) return;
    HDC dc = GetDC(App.ViewPage->Handle);
    App.Scene->MainRender.Present(dc, 4, 4);
    ReleaseDC(App.ViewPage->Handle, dc);
}

void OnViewButtonDown(TMsgRec* rec) {
    if (!IsViewTab(App.CurrentTab)) return;
    DragAnchor& a = App.DragAnchors[static_cast<size_t>(App.CurrentTab)];
    a.X = LOWORD(rec->LParam);
    a.Y = HIWORD(rec->LParam);
    a.H1Pos = App.ViewScrollH1->Position();
    a.VPos = App.ViewScrollV->Position();
}

void OnViewMouseMove(TMsgRec* rec) {
    if ((rec->WParam & MK_LBUTTON) == 0 || !IsViewTab(App.CurrentTab)) return;
    const auto target =
        DragTarget(App.DragAnchors[static_cast<size_t>(App.CurrentTab)], App.CurrentTab,
                   LOWORD(rec->LParam), HIWORD(rec->LParam), App.PageWidth, App.PageHeight);
    if (!target) return;
    switch (DragActionFor((rec->WParam & MK_SHIFT) != 0, (rec->WParam & MK_CONTROL) != 0)) {
    case TDragAction::H1Only:
        App.ViewScrollH1->SetPosition(target->H1);
        break;
    case TDragAction::VOnly:
        App.ViewScrollV->SetPosition(target->V);
        break;
    case TDragAction::Both:
        App.ViewScrollH1->SetPosition(target->H1);
        App.ViewScrollV->SetPosition(target->V);
        break;
    }
}
