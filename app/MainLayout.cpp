// The one-shot layout after the window is shown: pages onto the tab's display
// area, the status part widths, the tool strip over parts 1..7, then the
// first frame and tab 0.
#include <utility>

#include "AppState.h"
#include "UtilFunc.h"

namespace {

TEdges EdgesOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void MoveTo(HWND window, const TBox& b) { MoveWindow(window, b.X, b.Y, b.Width, b.Height, TRUE); }

RECT BoxRecord(const TBox& b) { return MakeRect(b.X, b.Y, b.Width, b.Height); }

// Status part `part`, in the coordinates of `target`.
TEdges PartIn(int32_t part, HWND target) {
    RECT r{};
    App.MainStatusBar->GetPartRect(part, r);
    MapWindowPoints(App.MainStatusBar->Handle, target, reinterpret_cast<POINT*>(&r), 2);
    return EdgesOf(r);
}

// Width of the main window's effective client rectangle: the status bar is
// left out of the effective client rectangle, and it spans the whole width.
int32_t EffectiveClientWidth() {
    // {ignored pair, (shown flag, control ID) of the status bar, terminator}
    const INT info[] = {1, 1, 1, App.MainStatusBar->ID, 0, 0};
    RECT r{};
    GetEffectiveClientRect(App.MainWindow->Handle, &r, info);
    return r.right - r.left;
}

}  // namespace

void LayoutMainWindow() {
    RECT display{};
    App.PageTab->GetDisplayRect(display);
    const TBox page = PageBox(EdgesOf(display));
    for (HWND w : {App.InfoMemo->Handle, App.ViewPage->Handle, App.ConfigPage->Handle}) MoveTo(w, page);
    App.PageWidth = page.Width;
    App.PageHeight = page.Height;

    TAPIStatusBar& bar = *App.MainStatusBar;
    int32_t sum = 0;
    for (int32_t i = 1; i < StatusPartCount; ++i) sum += bar.PartWidth(i);
    bar.SetPartWidth(0, StatusPartZeroWidth(EffectiveClientWidth(), sum));

    MoveTo(App.ToolPanel->Handle, ToolPanelBox(PartIn(1, App.MainWindow->Handle), sum, bar.PartWidth(1)));
    MoveTo(App.ToolCheck->Handle, ToolControlBox(PartIn(1, App.ToolPanel->Handle)));
    const std::array<std::pair<TToolTag, int32_t>, 5> overParts = {
        std::pair{TToolTag::Mode, 2}, std::pair{TToolTag::Minus, 3}, std::pair{TToolTag::Value, 4},
        std::pair{TToolTag::Plus, 5}, std::pair{TToolTag::Color, 7}};
    for (const auto& [tag, part] : overParts)
        App.Button(tag)->SetBounds(BoxRecord(ToolControlBox(PartIn(part, App.ToolPanel->Handle))));
    App.MinusButton()->SetCaption("-");
    App.PlusButton()->SetCaption("+");

    App.ViewScrollV->SetPosition(App.TabScrollPos[0].V);  // renders the first frame
    App.PageTab->SetSelectedIndex(0);                     // renders it again
    bar.SetParts(1);
}
