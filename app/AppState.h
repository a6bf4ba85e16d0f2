#pragma once
// The user-interface state of the application: every control object and
// every interface value that start-up, layout, the event handlers and the view
// controller reach. One object, App, lives for the whole run.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "APIControl.h"
#include "APIWindow.h"
#include "CmCtrl.h"
#include "Dispatch.h"
#include "Fonts.h"
#include "GDIObject.h"
#include "Layout.h"
#include "Scene.h"
#include "UiValues.h"

static_assert(FrameWidth == RenderWidth && FrameHeight == RenderHeight);

// Tags of the tool buttons; they index ToolButtons.
enum class TToolTag : int32_t { Mode = 0, Minus = 1, Value = 2, Plus = 3, Color = 4, Help = 5 };
inline constexpr int32_t ToolButtonCount = 6;

struct TSavedScrollHandlers {
    TEventProc V{}, H1{}, H2{};
};

struct TAppState {
    // Window objects die with their windows; receivers with the window they
    // listen on. These are plain references.
    TSDIMainWindow* MainWindow{};
    TAPITab* PageTab{};
    TAPIPanel* ViewPage{};
    TAPIPanel* ConfigPage{};
    TAPIPanel* ToolPanel{};
    TAPIMemo* InfoMemo{};
    TAPIStatusBar* MainStatusBar{};
    TMessageTrapper* ViewTrapper{};

    std::unique_ptr<TAPICFont> GuiFont;
    std::unique_ptr<TAPICFont> FixedFont;

    TAPIVScroll* ViewScrollV{};
    TAPIHScroll* ViewScrollH1{};
    TAPIHScroll* ViewScrollH2{};
    std::array<TAPILabel*, ViewRowCount> ViewScrollLabels{};

    TAPIGroupBox* TypeCGroup{};
    TAPIGroupBox* TypeDGroup{};
    TAPIHScroll* TypeCSectionScroll{};
    TAPIHScroll* TypeDSectionScroll{};
    TAPIHScroll* TypeDLevelScroll{};
    TAPILabel* TypeCSectionCaption{};
    TAPILabel* TypeDSectionCaption{};
    TAPILabel* TypeDLevelCaption{};
    TAPILabel* TypeCSectionValue{};
    TAPILabel* TypeDSectionValue{};
    TAPILabel* TypeDLevelValue{};
    TAPICheckBox* TypeCSingleCheck{};
    TAPICheckBox* TypeDSingleCheck{};
    TAPICheckBox* OnTopCheck{};
    TAPICheckBox* ToolCheck{};
    std::array<TCDPlusNoBtn*, ToolButtonCount> ToolButtons{};

    uint8_t TypeDMode{};
    int32_t PressedButton{-1};
    int32_t CurrentTab{};
    std::array<TTabScroll, ViewTabCount> TabScrollPos{InitialTabScrollPos};
    std::array<COLORREF, 16> CustomColors{};
    TSavedScrollHandlers SavedScrollHandlers;
    std::array<DragAnchor, ViewTabCount> DragAnchors{};
    int32_t PageWidth{};
    int32_t PageHeight{};

    // The scene (models, renderer, matrix, scratch lists) for the life of the
    // main window, and the metrics the layout was computed from.
    std::unique_ptr<TScene> Scene;
    TLayoutMetrics Metrics;
    // Set when the scene could not be built; start-up then ends with code 1.
    bool StartupFailed{};

    TAppState() { CustomColors.fill(RGB(255, 255, 255)); }

    TCDPlusNoBtn* Button(TToolTag tag) const { return ToolButtons[static_cast<size_t>(tag)]; }
    TCDPlusNoBtn* ModeButton() const { return Button(TToolTag::Mode); }
    TCDPlusNoBtn* MinusButton() const { return Button(TToolTag::Minus); }
    TCDPlusNoBtn* ValueButton() const { return Button(TToolTag::Value); }
    TCDPlusNoBtn* PlusButton() const { return Button(TToolTag::Plus); }
    TCDPlusNoBtn* ColorButton() const { return Button(TToolTag::Color); }
    TCDPlusNoBtn* HelpButton() const { return Button(TToolTag::Help); }

    // The eight labels in the order of their colour updates.
    std::array<TAPILabel*, 8> LabelGroup() const {
        return {ViewScrollLabels[0], ViewScrollLabels[1], TypeCSectionCaption, TypeDLevelCaption,
                TypeDSectionCaption, TypeCSectionValue,   TypeDLevelValue,     TypeDSectionValue};
    }
    std::array<TAPIPanel*, 3> PanelGroup() const { return {ViewPage, ConfigPage, ToolPanel}; }
};

extern TAppState App;

// Start-up and shut-down. StartMainWindow creates, builds and lays out the
// main window; false when start-up failed (the window is gone again then).
bool StartMainWindow();
void MainCreateParams(TWndCreateParams* params);
void MainRegisterClass(WNDCLASSA* wc);
void OnCreateMain(TMsgRec* rec);
void OnDestroyMain(TMsgRec* rec);
void ApplySystemColors(TMsgRec* rec = nullptr);
void LayoutMainWindow();

// The view controller: the change handler of the three view scroll bars, and
// the view state it reads from the controls.
void UpdateView(TMsgRec* rec);
struct TViewState;
TViewState ReadViewState();

// Tabs and the tool strip.
void OnTabChanging(TMsgRec* rec);
void OnTabChanged(TMsgRec* rec);
void RefreshView();
void ShowViewControls(bool showView, bool showTools);
void SetToolBar(const char* modeCaption, const std::string& valueCaption, bool checked,
                bool showTools);

// Hooks of the view page and the main window, and the control handlers.
void OnViewPaint(TMsgRec* rec);
void OnViewButtonDown(TMsgRec* rec);
void OnViewMouseMove(TMsgRec* rec);
void OnActivateMain(TMsgRec* rec);
void OnTypeCSectionScroll(TMsgRec* rec);
void OnTypeDLevelScroll(TMsgRec* rec);
void OnTypeDSectionScroll(TMsgRec* rec);
void OnToolCheckClick(TMsgRec* rec);
void OnColorClick(TMsgRec* rec);
// The frame background and the swatch that shows it, as a confirmed colour
// choice sets them (0x00BBGGRR).
void SetBackgroundColor(COLORREF c);
void OnStepClick(TMsgRec* rec);
void OnModeClick(TMsgRec* rec);
void OnHelpClick(TMsgRec* rec);
void OnToolPress(TMsgRec* rec);
void OnTopClick(TMsgRec* rec);
