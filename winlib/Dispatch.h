#pragma once
// Message delivery to objects: the message record, the receiver base class,
// the global dispatcher that subclasses a window once and hands the messages
// receivers asked for to them, and the trapper that hooks plain procedures.
#include <windows.h>

#include <cstdint>

#include "IntegerList.h"
#include "TObject.h"

// The message record of every receiver, handler and callback. Msg holds a
// message number, or in control events the sender object (Sender()); only its
// low 32 bits are compared against message numbers.
struct TMsgRec {
    uintptr_t Msg{};
    WPARAM WParam{};
    LPARAM LParam{};
    LRESULT Result{};  // nonzero: handled, and the window procedure's result

    UINT Number() const { return static_cast<UINT>(Msg); }
    TObject* Sender() const { return reinterpret_cast<TObject*>(Msg); }
    void SetSender(TObject* sender) { Msg = reinterpret_cast<uintptr_t>(sender); }
};
static_assert(sizeof(TMsgRec) == 4 * sizeof(void*));

using TEventProc = void (*)(TMsgRec*);

class TSubClass;
using TMessageMethod = void (TSubClass::*)(TMsgRec&);

// A receiver of the messages of Window (for controls: their parent).
class TSubClass : public TObject {
public:
    explicit TSubClass(HWND window);  // creates GlobalDispatcher on first use
    ~TSubClass() override;            // GlobalDispatcher->RemoveReceiver(this)

    // A handler declared for the message number takes precedence over
    // HandleMessage; FindHandler is the per-class table, searched from the
    // most derived class up (only the self-subclassed controls declare one).
    void Deliver(TMsgRec& rec);
    virtual TMessageMethod FindHandler(UINT /*msg*/) const { return nullptr; }
    virtual void HandleMessage(TMsgRec& /*rec*/) {}

    HWND Window{};
};

class TMessageDispatcher : public TObject {
public:
    void AddReceiver(TSubClass* receiver);
    void RemoveReceiver(TSubClass* receiver);
    void Listen(UINT msg, TSubClass* receiver);
    bool IsSubclassed(HWND window) const;
    WNDPROC OldWndProc(HWND window) const;
    bool IsLive(const TSubClass* receiver) const;  // still in Receivers

    // Chain repair when another subclasser of `window` lets go out of order:
    // wherever the dispatcher holds `from` as the window's previous procedure,
    // it now holds `to`. Returns whether an entry was changed.
    bool ReplaceOldProc(HWND window, WNDPROC from, WNDPROC to);

    // The dispatcher's own handler; `rec.Result` carries the window handle on
    // the way in and the first receiver's nonzero result on the way out.
    void HandleMessage(TMsgRec& rec);

    TPointerList Receivers{16, 16};
    TPointerList SubclassedWnds{16, 16};
    TPointerList OldProcs{16, 16};
    TIntegerList ListenMsgs{16, 16};
    TPointerList ListenReceivers{16, 16};
    TIntegerList SnapshotMsgs{16, 16};
    TPointerList SnapshotReceivers{16, 16};
    bool Dirty{};
};

// The one dispatcher of the program; null before the first receiver and after
// FreeGlobalDispatcher (the message loop has ended by then).
extern TMessageDispatcher* GlobalDispatcher;
void FreeGlobalDispatcher();

LRESULT CALLBACK DispatcherWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Hooks plain procedures to messages of a window.
class TMessageTrapper : public TSubClass {
public:
    explicit TMessageTrapper(HWND window);
    ~TMessageTrapper() override;

    void AddHandler(UINT msg, TEventProc proc);
    void HandleMessage(TMsgRec& rec) override;

    TIntegerList Msgs{1, 1};
    TPointerList Procs{1, 1};
    int32_t Count{};
};
