// The Win32 half of the view controller: the change handler of the three view
// scroll bars reads the controls, has the scene render the frame, writes the
// status text and asks the view page to repaint.
#include <string>

#include "AppState.h"
#include "View.h"

namespace {

// The status text is kept in code page 932. Converted explicitly, it reads
// right whatever the system's ANSI code page is; should the system lack that
// code page, the renderer's own UTF-16 text stands in.
std::wstring StatusForDisplay(const TStatusText& status) {
    const int length = static_cast<int>(status.Ansi.size());
    if (length == 0) return {};
    const int needed = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, status.Ansi.data(), length,
                                           nullptr, 0);
    if (needed <= 0) return std::wstring(status.Wide.begin(), status.Wide.end());
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, status.Ansi.data(), length, wide.data(), needed);
    return wide;
}

}  // namespace

TViewState ReadViewState() {
    TViewState s;
    s.Tab = App.PageTab->SelectedIndex();
    s.H1 = App.ViewScrollH1->Position();
    s.H2 = App.ViewScrollH2->Position();
    s.V = App.ViewScrollV->Position();
    s.TypeCSections = App.TypeCSectionScroll->Position();
    s.TypeCSingle = App.TypeCSingleCheck->Checked;
    s.TypeDSections = App.TypeDSectionScroll->Position();
    s.TypeDLevel = App.TypeDLevelScroll->Position();
    s.TypeDSingle = App.TypeDSingleCheck->Checked;
    return s;
}

void UpdateView(TMsgRec* rec) {
    if (rec != nullptr && LOWORD(rec->WParam) == SB_ENDSCROLL) return;
    const auto status = RenderView(*App.Scene, ReadViewState());
    // Tabs without a solid write nothing: the tab change has emptied part 0.
    if (status) App.MainStatusBar->SetText(0, StatusForDisplay(*status));
    InvalidateRect(App.ViewPage->Handle, nullptr, FALSE);
}
