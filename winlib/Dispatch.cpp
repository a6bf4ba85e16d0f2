#include "Dispatch.h"

#include <vector>

TMessageDispatcher* GlobalDispatcher = nullptr;

// Windows, procedures and receivers share the lists' pointer-sized slots.
static_assert(sizeof(uintptr_t) == sizeof(HWND) && sizeof(uintptr_t) == sizeof(WNDPROC));
static_assert(sizeof(uintptr_t) == sizeof(TSubClass*) && sizeof(uintptr_t) == sizeof(TEventProc));
static_assert(sizeof(LRESULT) == sizeof(HWND));

namespace {

uint64_t NextReceiverSerial = 1;

uintptr_t Slot(const void* p) { return reinterpret_cast<uintptr_t>(p); }
uintptr_t Slot(WNDPROC proc) { return reinterpret_cast<uintptr_t>(proc); }

WNDPROC CurrentProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

void InstallProc(HWND window, WNDPROC proc) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

constexpr const char* PredecessorProperty = "WNDPROC";

// A message number as registered; an entry that is negative never matches.
bool Matches(int32_t entry, UINT msg) { return entry >= 0 && static_cast<UINT>(entry) == msg; }

int32_t AsEntry(UINT msg) { return static_cast<int32_t>(msg); }

}  // namespace

// ---- TSubClass ----

TSubClass::TSubClass(HWND window) : Window(window), Serial(NextReceiverSerial++) {
    if (GlobalDispatcher == nullptr) GlobalDispatcher = new TMessageDispatcher;
    GlobalDispatcher->AddReceiver(this);
}

TSubClass::~TSubClass() {
    if (GlobalDispatcher != nullptr) GlobalDispatcher->RemoveReceiver(this);
}

void TSubClass::Deliver(TMsgRec& rec) {
    if (TMessageMethod handler = FindHandler(rec.Number())) {
        (this->*handler)(rec);
    } else {
        HandleMessage(rec);
    }
}

// ---- TMessageDispatcher ----

void TMessageDispatcher::AddReceiver(TSubClass* receiver) {
    Receivers.Add(Slot(receiver));
    HWND window = receiver->Window;
    // A null or dead handle is not recorded: nothing can arrive for it, and a
    // later window given the same handle value must not inherit a stale entry.
    if (IsSubclassed(window) || !IsWindow(window)) return;
    SubclassedWnds.Add(Slot(window));
    OldProcs.Add(Slot(CurrentProc(window)));
    InstallProc(window, DispatcherWndProc);
}

void TMessageDispatcher::RemoveReceiver(TSubClass* receiver) {
    Receivers.Delete(Receivers.IndexOf(Slot(receiver)));
    for (int32_t i = ListenReceivers.Count() - 1; i >= 0; --i) {
        if (ListenReceivers.Get(i) == Slot(receiver)) {
            ListenReceivers.Delete(i);
            ListenMsgs.Delete(i);
        }
    }
    Dirty = true;
    ++Removals;
}

void TMessageDispatcher::Listen(UINT msg, TSubClass* receiver) {
    ListenMsgs.Add(AsEntry(msg));
    ListenReceivers.Add(Slot(receiver));
    Dirty = true;
}

int32_t TMessageDispatcher::IndexOfWindow(HWND window) const {
    if (SubclassedWnds.Count() == 0) return -1;
    return SubclassedWnds.IndexOf(Slot(window));
}

bool TMessageDispatcher::IsSubclassed(HWND window) const { return IndexOfWindow(window) >= 0; }

WNDPROC TMessageDispatcher::OldWndProc(HWND window) const {
    return reinterpret_cast<WNDPROC>(OldProcs.Get(IndexOfWindow(window)));
}

bool TMessageDispatcher::IsLive(const TSubClass* receiver) const {
    return Receivers.IndexOf(Slot(receiver)) >= 0;
}

bool TMessageDispatcher::ReplaceOldProc(HWND window, WNDPROC from, WNDPROC to) {
    int32_t index = IndexOfWindow(window);
    if (index < 0 || OldProcs.Get(index) != Slot(from)) return false;
    OldProcs.Put(index, Slot(to));
    return true;
}

// The receiver is still the one the delivery took hold of: listed, and not a
// newcomer that happens to live at a destroyed receiver's address. Nothing of a
// destroyed receiver is read: the serial is read only once it is listed.
bool TMessageDispatcher::IsSame(const TTarget& target) const {
    return IsLive(target.Receiver) && target.Receiver->Serial == target.Serial;
}

void TMessageDispatcher::HandleMessage(TMsgRec& rec) {
    HWND window = reinterpret_cast<HWND>(rec.Result);
    rec.Result = 0;
    if (rec.Number() == WM_DESTROY) {
        DestroyReceiversOf(window);
        Unsubclass(window);
        return;
    }
    DeliverToListeners(window, rec);
}

// Last created first. The victims are collected before any is destroyed:
// destroying one (a tab control, a status bar) may destroy child windows whose
// own WM_DESTROY removes further receivers from Receivers meanwhile.
void TMessageDispatcher::DestroyReceiversOf(HWND window) {
    std::vector<TTarget> victims;
    for (int32_t i = Receivers.Count() - 1; i >= 0; --i) {
        auto* receiver = reinterpret_cast<TSubClass*>(Receivers.Get(i));
        if (receiver != nullptr && receiver->Window == window) victims.push_back({receiver, receiver->Serial});
    }
    for (const TTarget& victim : victims) {
        if (!IsSame(victim)) continue;
        Receivers.Delete(Receivers.IndexOf(Slot(victim.Receiver)));
        delete victim.Receiver;
    }
}

void TMessageDispatcher::Unsubclass(HWND window) {
    int32_t index = IndexOfWindow(window);
    if (index < 0) return;
    OldProcs.Delete(index);
    SubclassedWnds.Delete(index);
}

// Walks a copy of the registrations matching the message, taken before the
// first call: receivers registered or destroyed by a receiver, and nested
// deliveries that rebuild the shared snapshot, leave this walk alone. A receiver
// destroyed meanwhile is skipped without being touched.
void TMessageDispatcher::DeliverToListeners(HWND window, TMsgRec& rec) {
    UINT msg = rec.Number();
    bool listened = false;
    for (int32_t i = 0; i < ListenMsgs.Count() && !listened; ++i) listened = Matches(ListenMsgs.Items[i], msg);
    if (!listened) return;

    if (Dirty) {
        ListenMsgs.CopyTo(SnapshotMsgs);
        ListenReceivers.CopyTo(SnapshotReceivers);
        Dirty = false;
    }
    std::vector<TTarget> targets;
    const int32_t count = SnapshotMsgs.Count();
    for (int32_t i = 0; i < count; ++i) {
        auto* receiver = reinterpret_cast<TSubClass*>(SnapshotReceivers.Get(i));
        if (Matches(SnapshotMsgs.Get(i), msg) && receiver != nullptr) targets.push_back({receiver, receiver->Serial});
    }

    const uint64_t removalsAtStart = Removals;
    TMsgRec loc{rec.Msg, rec.WParam, rec.LParam, 0};
    for (const TTarget& target : targets) {
        if (Removals != removalsAtStart && !IsSame(target)) continue;
        if (target.Receiver->Window != window) continue;
        target.Receiver->Deliver(loc);
        if (loc.Result != 0) {
            rec.Result = loc.Result;
            return;
        }
    }
}

void FreeGlobalDispatcher() {
    TMessageDispatcher* dispatcher = GlobalDispatcher;
    GlobalDispatcher = nullptr;
    delete dispatcher;
}

// ---- DispatcherWndProc ----

namespace {

// The dispatcher lets go of a dying window: directly if it is the window's
// current procedure, else through the subclasser that holds it as predecessor.
void RestorePredecessor(HWND hwnd, WNDPROC prev) {
    if (CurrentProc(hwnd) == DispatcherWndProc) {
        InstallProc(hwnd, prev);
    } else if (reinterpret_cast<WNDPROC>(GetPropA(hwnd, PredecessorProperty)) == DispatcherWndProc) {
        SetPropA(hwnd, PredecessorProperty, reinterpret_cast<HANDLE>(prev));
    }
}

}  // namespace

LRESULT CALLBACK DispatcherWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (GlobalDispatcher == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (!GlobalDispatcher->IsSubclassed(hwnd)) return 0;

    LRESULT result = CallWindowProcA(GlobalDispatcher->OldWndProc(hwnd), hwnd, msg, wParam, lParam);
    if (GlobalDispatcher == nullptr) return result;

    TMsgRec rec{msg, wParam, lParam, reinterpret_cast<LRESULT>(hwnd)};
    if (msg == WM_DESTROY) RestorePredecessor(hwnd, GlobalDispatcher->OldWndProc(hwnd));
    GlobalDispatcher->HandleMessage(rec);
    return rec.Result != 0 ? rec.Result : result;
}

// ---- TMessageTrapper ----

TMessageTrapper::TMessageTrapper(HWND window) : TSubClass(window) {}

TMessageTrapper::~TMessageTrapper() = default;

void TMessageTrapper::AddHandler(UINT msg, TEventProc proc) {
    Msgs.Add(AsEntry(msg));
    Procs.Add(reinterpret_cast<uintptr_t>(proc));
    GlobalDispatcher->Listen(msg, this);
    ++Count;
}

// Every matching handler runs, in the order added, on one shared copy; the
// last nonzero result wins.
void TMessageTrapper::HandleMessage(TMsgRec& rec) {
    TMsgRec loc = rec;
    for (int32_t i = 0; i < Count; ++i) {
        auto proc = reinterpret_cast<TEventProc>(Procs.Get(i));
        if (!Matches(Msgs.Get(i), loc.Number()) || proc == nullptr) continue;
        proc(&loc);
        if (loc.Result != 0) rec.Result = loc.Result;
    }
}
