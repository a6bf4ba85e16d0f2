// The main window's creation handler, which builds every object and control
// in one fixed order, its destroy handler, and the system-colour update.
#include <string>

#include "AppState.h"
#include "LoadScene.h"
#include "UtilFunc.h"

namespace {

// The window style: visible, caption, system menu, minimise box; no sizing
// border, no maximise box.
constexpr DWORD MainWindowStyle = 0x10CA0000;

// Class name used when the executable's name yields one the system refuses
// (an empty name, for a file name without ".").
constexpr char FallbackClassName[] = "TintroverMain";
bool UseFallbackClass = false;

SIZE MeasureText(const TAPICFont& font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle);
    RECT r{};
    const int height = DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                                 DT_CALCRECT | DT_EXTERNALLEADING | DT_NOCLIP);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, height};
}

enum class TLabelAlign : UINT { Left = 0, Centre = DT_CENTER };

void StyleLabel(TAPILabel* label, const std::string& faceName, int32_t fillMode, TLabelAlign align,
                int32_t pointSize, bool underline) {
    label->SetFillMode(fillMode);
    label->SetTextFlags(static_cast<UINT>(align));
    label->Font.Name = faceName;
    label->Font.Size = pointSize;
    label->Font.Bold = false;
    label->Font.Underline = underline;
}

TAPILabel* NewBoxLabel(HWND parent, const TBox& b, const std::string& caption) {
    return NewLabel(parent, b.X, b.Y, b.Width, b.Height, caption);
}

TAPICheckBox* NewBoxCheck(HWND parent, const TBox& b, const char* caption, TEventProc onClick) {
    return NewCheckBox(parent, b.X, b.Y, b.Width, b.Height, caption, onClick);
}

// The bar is stored before its range and position are set: SetPosition runs
// the value handler, which reads it.
void NewSettingsScroll(TAPIHScroll*& bar, TAPIGroupBox* group, const TBox& b, TEventProc onChange,
                       int min, int max, int position) {
    bar = NewHScroll(group->Handle, b.X, b.Y, b.Width, b.Height, onChange);
    bar->SetMin(min);
    bar->SetMax(max);
    bar->SetPosition(position);  // the value label shows it from here on
}

COLORREF RenderColorRef(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

uint32_t SystemButtonFace() { return GetSysColor(COLOR_BTNFACE); }

void CreateFonts(TLayoutMetrics& m) {
    App.GuiFont = NewGuiFont();
    App.FixedFont = std::make_unique<TAPICFont>();
    App.FixedFont->Name = "FixedSys";
    App.FixedFont->Size = 14;
    App.FixedFont->Bold = false;
    App.FixedFont->Recreate();
    const SIZE gui = MeasureText(*App.GuiFont, " ");
    const SIZE fixed = MeasureText(*App.FixedFont, " ");
    m.sw = gui.cx;
    m.sh = gui.cy;
    m.fw = fixed.cx;
    m.fh = fixed.cy;
}

void MeasureCaptions(TLayoutMetrics& m) {
    TIntegerList& widths = App.Scene->ScratchListA;
    for (size_t i = 0; i < m.W.size(); ++i)
        widths.Add(MeasureText(*App.FixedFont, std::string(UiStrings[i]) + "  ").cx);
    for (size_t i = 0; i < m.W.size(); ++i) m.W[i] = widths.Get(static_cast<int32_t>(i));
}

void CreatePageTab(const TLayoutMetrics& m) {
    const TBox b = PageTabBox(m);
    App.PageTab = NewTab(App.MainWindow->Handle, b.X, b.Y, b.Width, b.Height, OnTabChanged);
    App.PageTab->OnChanging = OnTabChanging;
    for (int32_t i = 0; i < TabCount; ++i) App.PageTab->AddItem(UiStrings[FirstTabCaption + i]);
    App.ViewPage = NewPanel(App.PageTab->Handle, 0, 0, 0, 0);
    App.ConfigPage = NewPanel(App.PageTab->Handle, 0, 0, 0, 0);
    for (TAPIPanel* page : {App.ViewPage, App.ConfigPage}) {
        page->SetOuterEdge(TEdgeKind::None);
        page->SetInnerEdge(TEdgeKind::None);
    }
}

void CreateConfigLabelsAndChecks(const TLayoutMetrics& m) {
    const HWND page = App.ConfigPage->Handle;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    App.TypeCSectionCaption = NewBoxLabel(page, TypeCSectionCaptionBox(m), UiStrings[2]);
    App.TypeCSectionValue = NewBoxLabel(page, TypeCSectionValueBox(m), "");
    App.TypeCSectionValue->SetBackColor(face);
    App.TypeCSingleCheck = NewBoxCheck(page, TypeCSingleCheckBox(m), UiStrings[4], nullptr);
    App.TypeDSectionCaption = NewBoxLabel(page, TypeDSectionCaptionBox(m), UiStrings[2]);
    App.TypeDSectionValue = NewBoxLabel(page, TypeDSectionValueBox(m), "");
    App.TypeDSectionValue->SetBackColor(face);
    App.TypeDLevelCaption = NewBoxLabel(page, TypeDLevelCaptionBox(m), UiStrings[3]);
    App.TypeDLevelValue = NewBoxLabel(page, TypeDLevelValueBox(m), "");
    App.TypeDLevelValue->SetBackColor(face);
    App.TypeDSingleCheck = NewBoxCheck(page, TypeDSingleCheckBox(m), UiStrings[4], nullptr);
    const TBox c = TypeCGroupBox(m);
    App.TypeCGroup = NewGroupBox(page, c.X, c.Y, c.Width, c.Height, UiStrings[17]);
    const TBox d = TypeDGroupBox(m);
    App.TypeDGroup = NewGroupBox(page, d.X, d.Y, d.Width, d.Height, UiStrings[18]);

    const std::string& faceName = App.FixedFont->Name;
    const int32_t size = App.FixedFont->Size;
    for (TAPILabel* caption : {App.TypeCSectionCaption, App.TypeDSectionCaption, App.TypeDLevelCaption})
        StyleLabel(caption, faceName, TAPILabel::FillTransparent, TLabelAlign::Left, size, false);
    for (TAPILabel* value : {App.TypeCSectionValue, App.TypeDSectionValue, App.TypeDLevelValue})
        StyleLabel(value, faceName, TAPILabel::FillSolid, TLabelAlign::Left, size, false);
}

void CreateConfigControls(const TLayoutMetrics& m) {
    NewSettingsScroll(App.TypeCSectionScroll, App.TypeCGroup, TypeCSectionScrollBox(m),
                      OnTypeCSectionScroll, 1, 32, 2);
    NewSettingsScroll(App.TypeDLevelScroll, App.TypeDGroup, TypeDLevelScrollBox(m),
                      OnTypeDLevelScroll, 1, 10, 10);
    NewSettingsScroll(App.TypeDSectionScroll, App.TypeDGroup, TypeDSectionScrollBox(m),
                      OnTypeDSectionScroll, 1, 10, 10);
    App.OnTopCheck = NewBoxCheck(App.ConfigPage->Handle, OnTopCheckBox(m), UiStrings[5], OnTopClick);
    const TBox h = HelpButtonBox(m);
    App.ToolButtons[static_cast<size_t>(TToolTag::Help)] =
        NewPlusButton(App.ConfigPage->Handle, h.X, h.Y, h.Width, h.Height,
                      static_cast<int32_t>(TToolTag::Help), UiStrings[6], EdgeEtched, nullptr);
}

void AddViewScrollRow(int32_t index, int32_t y) {
    const TLayoutMetrics& m = App.Metrics;
    const TBox b = ViewScrollHBox(y);
    TAPIHScroll* bar = NewHScroll(App.MainWindow->Handle, b.X, b.Y, b.Width, b.Height, UpdateView);
    bar->SetMax(HScrollMax);
    (index == 0 ? App.ViewScrollH1 : App.ViewScrollH2) = bar;
    const TBox l = ViewScrollLabelBox(m, y);
    TAPILabel* label = NewBoxLabel(App.MainWindow->Handle, l, UiStrings[static_cast<size_t>(index)]);
    StyleLabel(label, App.GuiFont->Name, TAPILabel::FillTransparent, TLabelAlign::Centre,
               App.GuiFont->Size, false);
    App.ViewScrollLabels[static_cast<size_t>(index)] = label;
}

void CreateViewScrollBars(const TLayoutMetrics& m) {
    const TBox v = ViewScrollVBox(m);
    App.ViewScrollV = NewVScroll(App.MainWindow->Handle, v.X, v.Y, v.Width, v.Height, UpdateView);
    App.ViewScrollV->SetMax(TabScrollMax[0]);
    AddViewScrollRow(0, ViewRowY(m, 0));
    AddViewScrollRow(1, ViewRowY(m, 1));
    App.SavedScrollHandlers = {App.ViewScrollV->OnScroll, App.ViewScrollH1->OnScroll,
                               App.ViewScrollH2->OnScroll};
}

void CreateToolStrip() {
    App.ToolPanel = NewPanel(App.MainWindow->Handle, 0, 0, 0, 0);
    App.ToolPanel->SetOuterEdge(TEdgeKind::None);
    App.ToolPanel->SetInnerEdge(TEdgeKind::None);
    App.ToolCheck = NewCheckBox(App.ToolPanel->Handle, 0, 0, 20, 20, "", OnToolCheckClick);
    for (int32_t tag = 0; tag <= static_cast<int32_t>(TToolTag::Color); ++tag)
        App.ToolButtons[static_cast<size_t>(tag)] =
            NewPlusButton(App.ToolPanel->Handle, 0, 0, 16, 16, tag, "", EdgeEtched, nullptr);
}

void WireToolButtons() {
    App.ModeButton()->OnClick = OnModeClick;
    App.MinusButton()->OnClick = OnStepClick;
    App.PlusButton()->OnClick = OnStepClick;
    App.ColorButton()->OnClick = OnColorClick;
    App.HelpButton()->OnClick = OnHelpClick;
    App.ValueButton()->SetEdge(EdgeNone);
    App.ValueButton()->SetEnabled(false);  // it only displays
    App.ColorButton()->SetColor(RenderColorRef(App.Scene->MainRender.BackColor));
    for (TCDPlusNoBtn* b : {App.ModeButton(), App.MinusButton(), App.PlusButton(),
                            App.ColorButton(), App.HelpButton()})
        b->OnMouseDown = OnToolPress;
    for (TCDPlusNoBtn* b : {App.MinusButton(), App.PlusButton(), App.HelpButton()}) b->TextOffset = 0;
    for (TCDPlusNoBtn* b : {App.ModeButton(), App.MinusButton(), App.ValueButton(),
                            App.PlusButton(), App.HelpButton()}) {
        b->Font.Name = App.GuiFont->Name;
        b->Font.Size = App.GuiFont->Size;
        b->Font.Bold = App.GuiFont->Bold;
    }
}

void CreateStatusBar(const TLayoutMetrics& m) {
    App.MainStatusBar = NewStatusBar(App.MainWindow->Handle, false);
    App.MainStatusBar->SetMinHeight(m.sh + 8);
    App.MainStatusBar->SetParts(StatusPartCount);
    const auto widths = StatusPartWidths(m);
    for (size_t i = 0; i < widths.size(); ++i)
        App.MainStatusBar->SetPartWidth(static_cast<int32_t>(i) + 1, widths[i]);
}

// The pages are siblings that cover each other: ViewPage above ConfigPage above
// InfoMemo, and the tool strip above the status bar. Put them in that order
// explicitly rather than rely on where a window system inserts new children.
void StackBelow(HWND window, HWND above) {
    SetWindowPos(window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void EnsureStacking() {
    StackBelow(App.ConfigPage->Handle, App.ViewPage->Handle);
    StackBelow(App.InfoMemo->Handle, App.ConfigPage->Handle);
    StackBelow(App.MainStatusBar->Handle, App.ToolPanel->Handle);
}

void HookViewPage() {
    App.ViewTrapper = new TMessageTrapper(App.ViewPage->Handle);  // dies with the page
    App.ViewTrapper->AddHandler(WM_PAINT, OnViewPaint);
    App.ViewTrapper->AddHandler(WM_MOUSEMOVE, OnViewMouseMove);
    App.ViewTrapper->AddHandler(WM_LBUTTONDOWN, OnViewButtonDown);
}

void OnSysColorChange(TMsgRec* /*rec*/) { ApplySystemColors(); }

}  // namespace

void MainRegisterClass(WNDCLASSA* wc) {
    // The library ignores a failed registration because the class usually
    // exists already; a name the system rejects outright would leave the
    // window uncreated, so fall back to a fixed name then.
    if (RegisterClassA(wc) != 0) return;
    WNDCLASSA existing{};
    if (GetClassInfoA(wc->hInstance, wc->lpszClassName, &existing)) return;
    UseFallbackClass = true;
    wc->lpszClassName = FallbackClassName;
}

void MainCreateParams(TWndCreateParams* params) {
    params->Style = MainWindowStyle;
    if (UseFallbackClass) params->ClassName = FallbackClassName;
}

void OnCreateMain(TMsgRec* /*rec*/) {
    TSDIMainWindow& main = *App.MainWindow;
    const HICON old = main.ClassIcon();
    main.SetClassIcon(LoadIconA(GetModuleHandleA(nullptr), "main"));
    DestroyIcon(old);  // the shared stock icon: a documented no-op

    App.Scene = std::make_unique<TScene>();
    TScene& scene = *App.Scene;
    scene.ViewBaseY = static_cast<float>(-RenderHeight / 2.0);
    scene.ButtonFaceColor = SystemButtonFace;

    TLayoutMetrics& m = App.Metrics;
    CreateFonts(m);
    // Without all five models there is nothing to draw; the program body ends
    // start-up then.
    if (!LoadScene(scene)) {
        App.StartupFailed = true;
        return;
    }
    scene.MainRender.Lighting = false;
    scene.SceneReady = false;

    MeasureCaptions(m);
    CreatePageTab(m);
    m.w000 = MeasureText(*App.FixedFont, "000").cx;
    CreateConfigLabelsAndChecks(m);
    CreateConfigControls(m);
    scene.MainRender.BackColor = 0xFF000000;  // opaque black, 0xAARRGGBB

    App.InfoMemo = NewMemo(App.PageTab->Handle, 0, 0, 0, 0);
    App.InfoMemo->SetVisible(false);
    App.InfoMemo->SetReadOnly(true);
    App.GuiFont->ApplyTo(App.PageTab->Handle);

    CreateViewScrollBars(m);
    CreateToolStrip();
    WireToolButtons();
    CreateStatusBar(m);
    EnsureStacking();
    HookViewPage();

    main.SetClientWidth(MainClientWidth());
    main.SetClientHeight(MainClientHeight(m));
    main.CenterOnScreen();
    main.AddMessageHandler(WM_ACTIVATE, OnActivateMain);
    main.AddMessageHandler(WM_SYSCOLORCHANGE, OnSysColorChange);
    ApplySystemColors();
    scene.ScratchListA.Clear();  // the caption widths are no longer needed
}

void ApplySystemColors(TMsgRec* /*rec*/) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    App.MainWindow->SetBackColor(face);
    if (!App.InfoMemo) return;  // start-up ended before the controls existed
    for (TAPILabel* label : App.LabelGroup()) {
        label->SetBackColor(face);
        label->Font.Color = text;
    }
    for (size_t tag = 0; tag < App.ToolButtons.size(); ++tag) {
        TCDPlusNoBtn* button = App.ToolButtons[tag];
        // The swatch keeps showing the frame's background colour.
        if (tag != static_cast<size_t>(TToolTag::Color)) button->SetColor(face);
        button->Font.Color = text;
    }
    for (TAPIPanel* panel : App.PanelGroup()) panel->SetBackColor(face);
    App.GuiFont->Color = text;
    App.FixedFont->Color = text;
    App.InfoMemo->SetBackColor(GetSysColor(COLOR_WINDOW));
    App.InfoMemo->SetTextColor(text);
}

void OnDestroyMain(TMsgRec* /*rec*/) {
    if (App.Scene) App.Scene->SceneReady = false;
    // The scene frees the models slot by slot, then the renderer, the matrix
    // and the two scratch lists.
    App.Scene.reset();
    App.GuiFont.reset();
    App.FixedFont.reset();
    PostQuitMessage(0);
}
