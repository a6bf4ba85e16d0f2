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

// A receiver of the messages of Window (for controls: their parent). The
// dispatcher destroys it (delete) when Window receives WM_DESTROY, so receivers
// are always created with new.
class TSubClass : public TObject {
public:
    explicit TSubClass(HWND window);  // creates GlobalDispatcher on first use
    ~TSubClass() override;            // GlobalDispatcher->RemoveReceiver(this)

    // Controls are built in two steps, so that setting up already runs the most
    // derived class's overrides (CreateParams and Setup, CreateHandle, the
    // paint handlers): construct, then Init(). Their constructors and Init are
    // protected, with TSubClass a friend.
    template <typename T>
    static T* Create(HWND parent) {
        T* control = new T(parent);
        control->Init();
        return control;
    }

    // A handler declared for the message number takes precedence over
    // HandleMessage; FindHandler is the per-class table, searched from the
    // most derived class up (only the self-subclassed controls declare one).
    void Deliver(TMsgRec& rec);
    virtual TMessageMethod FindHandler(UINT /*msg*/) const { return nullptr; }
    virtual void HandleMessage(TMsgRec& /*rec*/) {}

    HWND Window{};
    // Unique per receiver for the whole run: a receiver allocated at the address
    // of one destroyed during a delivery is told apart from it by this number.
    const uint64_t Serial;
};

// Subclassing a window twice. A standard control is subclassed by its own
// wrapper (ControlWndProc, predecessor in the window property "WNDPROC", object
// in "OBJECT") and may be subclassed by the dispatcher too (it is the parent of
// other controls). Whoever lets go first keeps the chain whole:
// - The dispatcher lets go at WM_DESTROY. It writes its predecessor back with
//   SetWindowLongPtrA(GWLP_WNDPROC) only if the window's current procedure is
//   DispatcherWndProc; otherwise, if the "WNDPROC" property holds
//   DispatcherWndProc, the property gets the dispatcher's predecessor instead.
// - A wrapper letting go writes its "WNDPROC" back only if the current procedure
//   is its own; otherwise it calls
//   GlobalDispatcher->ReplaceOldProc(Handle, ownProc, savedPredecessor), so that
//   the dispatcher's entry skips it. Then it removes both properties.
// The dispatcher reads its predecessor afresh after calling it, since the call
// may have repaired the chain (a wrapper destroyed by its own WM_DESTROY).
// Procedures are always called through CallWindowProcA: for Unicode classes
// the stored value may be a thunk, not a function.
class TMessageDispatcher : public TObject {
public:
    void AddReceiver(TSubClass* receiver);
    void RemoveReceiver(TSubClass* receiver);
    void Listen(UINT msg, TSubClass* receiver);
    bool IsSubclassed(HWND window) const;
    WNDPROC OldWndProc(HWND window) const;
    bool IsLive(const TSubClass* receiver) const;  // still in Receivers
    int32_t IndexOfWindow(HWND window) const;      // in SubclassedWnds, -1 if none

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
    // Bumped by every RemoveReceiver: while it is unchanged during a delivery,
    // every receiver the delivery took hold of is still alive.
    uint64_t Removals{};

private:
    struct TTarget {
        TSubClass* Receiver;
        uint64_t Serial;
    };
    bool IsSame(const TTarget& target) const;
    void DestroyReceiversOf(HWND window);
    void Unsubclass(HWND window);
    void DeliverToListeners(HWND window, TMsgRec& rec);
};

// The one dispatcher of the program; null before the first receiver and after
// FreeGlobalDispatcher (the message loop has ended by then).
extern TMessageDispatcher* GlobalDispatcher;
void FreeGlobalDispatcher();

// Installed on every window the dispatcher subclasses: the previous procedure
// first, then the receivers that listen to the message, in registration
// order; the first nonzero Result decides. With no dispatcher it is
// DefWindowProcA; for a window it does not know, 0.
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
