#pragma once
// Windowless owner-drawn controls: buttons and labels that are receivers on
// their parent window, paint themselves onto its client area through GetDC
// and hit-test the parent's mouse messages against their own rectangle.
#include <windows.h>

#include <cstdint>
#include <string>

#include "Dispatch.h"
#include "Fonts.h"

// Edge styles of a button face (DrawEdge).
inline constexpr int32_t EdgeNone = 0;
inline constexpr int32_t EdgeRaised = EDGE_RAISED;  // 5
inline constexpr int32_t EdgeEtched = EDGE_ETCHED;  // 6
inline constexpr int32_t EdgeSunken = EDGE_SUNKEN;  // 10

class TGDIObject : public TSubClass {
public:
    ~TGDIObject() override;  // invalidates its rectangle

    void Repaint();     // the control draws now
    void Invalidate();  // the parent erases the rectangle on its next paint
    // r is a MakeRect record: X, Y, Width, Height.
    void SetBounds(const RECT& r);
    void SetVisible(bool flag);
    void SetEnabled(bool flag);

    RECT Bounds{};    // X, Y, Width, Height as last given to SetBounds
    RECT ItemRect{};  // X, Y, X + Width, Y + Height in parent client coordinates
    bool Visible{true};
    bool Enabled{true};

protected:
    explicit TGDIObject(HWND parent);
    virtual void Init();
    // The mouse point of LParam, both halves read as unsigned, so a negative
    // coordinate while the mouse is captured counts as outside.
    bool Contains(LPARAM point) const;
};

class TAPISpeedBtn : public TGDIObject {
    friend TSubClass;

public:
    void SetCaption(const std::string& s);
    void HandleMessage(TMsgRec& rec) override;

    int32_t Edge{EdgeRaised};
    std::string Caption;
    bool Pressed{};
    TAPIGFont Font;
    TEventProc OnClick{};
    int32_t TextOffset{1};

protected:
    explicit TAPISpeedBtn(HWND parent);

    // The parts of a face paint that differ per class.
    virtual COLORREF FaceColor() const;
    virtual void SetupText(HDC dc);
    virtual int TextShift() const;
    virtual void FinishText(HDC dc);
    virtual void PaintOverFace(HDC /*dc*/) {}
    void PaintFace();

    // The callback's copy of a mouse message, with the sender in Msg.
    virtual TMsgRec EventOf(const TMsgRec& mouse);
    virtual void LeftDown(const TMsgRec& mouse);
    virtual void LeftUp(const TMsgRec& mouse);
    virtual void MouseMove(const TMsgRec& mouse);
    virtual void RightUp(const TMsgRec& /*mouse*/) {}
};

class TAPIColorBtn : public TAPISpeedBtn {
    friend TSubClass;

public:
    void SetColor(COLORREF c);

    COLORREF Color;
    COLORREF TextColor{};

protected:
    explicit TAPIColorBtn(HWND parent);
    COLORREF FaceColor() const override;
    void SetupText(HDC dc) override;
    int TextShift() const override;
    void FinishText(HDC dc) override;
};

class TCDPlusBtn : public TAPIColorBtn {
    friend TSubClass;

public:
    void SetEdge(int32_t e);  // also the resting edge; no repaint
    // Ends a press without a click: releases the capture and restores Edge and
    // Color. False (and nothing changed) when not pressed.
    virtual bool CancelPress();

    TEventProc OnDrag{};
    TEventProc OnMouseDown{};
    TEventProc OnRightClick{};
    HCURSOR PressCursor{};
    int32_t Tag{};
    int32_t RestEdge{EdgeNone};
    COLORREF SavedColor;
    bool InnerEdge{};

protected:
    explicit TCDPlusBtn(HWND parent);
    void SetupText(HDC dc) override;
    int TextShift() const override;
    void FinishText(HDC dc) override;
    void PaintOverFace(HDC dc) override;

    TMsgRec EventOf(const TMsgRec& mouse) override;
    void LeftDown(const TMsgRec& mouse) override;
    void LeftUp(const TMsgRec& mouse) override;
    void MouseMove(const TMsgRec& mouse) override;
    void RightUp(const TMsgRec& mouse) override;
    void Press();
    // Back to the resting edge; a click when the mouse is still over it.
    void Release(const TMsgRec& mouse);
};

class TCDPlusNoBtn : public TCDPlusBtn {
    friend TSubClass;

public:
    bool DisabledUsesFontColor{};

protected:
    explicit TCDPlusNoBtn(HWND parent) : TCDPlusBtn(parent) {}
    void SetupText(HDC dc) override;

    void LeftDown(const TMsgRec& mouse) override;
    void LeftUp(const TMsgRec& mouse) override;
    void MouseMove(const TMsgRec& /*mouse*/) override {}
    void RightUp(const TMsgRec& /*mouse*/) override {}
};

class TAPILabel : public TGDIObject {
    friend TSubClass;

public:
    void SetBackColor(COLORREF c);
    void SetCaption(const std::string& s);
    void SetTextFlags(UINT f);
    void SetFillMode(int32_t m);
    void HandleMessage(TMsgRec& rec) override;

    // Fill modes: FillSolid paints BackColor, any other value is transparent.
    static constexpr int32_t FillTransparent = 1;
    static constexpr int32_t FillSolid = 2;

    COLORREF BackColor{RGB(255, 255, 255)};
    std::string Caption{"TAPILabel"};
    UINT TextFlags{};  // extra DrawTextA flags: DT_CENTER, DT_RIGHT
    TAPIGFont Font;
    int32_t Margin{4};
    int32_t FillMode{FillSolid};
    bool Framed{};
    COLORREF FrameColor{};

protected:
    explicit TAPILabel(HWND parent);
    void Init() override;
    void Paint();
};

TCDPlusNoBtn* NewPlusButton(HWND parent, int x, int y, int width, int height, int32_t tag,
                            const std::string& caption, int32_t edge, TEventProc onClick);
TAPILabel* NewLabel(HWND parent, int x, int y, int width, int height,
                    const std::string& caption);
