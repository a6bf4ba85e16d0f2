// The dispatcher with real windows and real messages. Every receiver here lives
// above 4 GiB and its memory becomes unreadable when it is destroyed, so a
// receiver touched after its destruction ends the program.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Dispatch.h"
#include "HighHeap.h"

namespace {

std::vector<std::string> Log;

constexpr UINT MsgA = WM_APP + 1;
constexpr UINT MsgB = WM_APP + 2;
constexpr LRESULT BaseResult = 77;

// The window's own procedure: answers MsgA/MsgB with BaseResult and logs what
// the tests look for.
LRESULT CALLBACK BaseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case MsgA:
        case MsgB:
            Log.push_back("base");
            return BaseResult;
        case WM_DESTROY:
            Log.push_back("base:destroy");
            break;
        case WM_NCDESTROY:
            Log.push_back("base:ncdestroy");
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

constexpr const char* TestClass = "DispatchTestWindow";

void RegisterTestClass() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BaseProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = TestClass;
    RegisterClassA(&wc);
}

HWND NewWindow(HWND parent = nullptr) {
    const DWORD style = parent != nullptr ? WS_CHILD : WS_OVERLAPPED;
    return CreateWindowExA(0, TestClass, "", style, 0, 0, 50, 50, parent, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

// A receiver that logs its name for every delivery, may answer with Answer and
// may act (create or destroy receivers, or itself) during the delivery.
class TRecorder : public TSubClass, public THighHeapObject {
public:
    TRecorder(HWND window, std::string name, LRESULT answer = 0)
        : TSubClass(window), Name(std::move(name)), Answer(answer) {}
    ~TRecorder() override {
        Log.push_back("~" + Name);
        if (OnDestroy) OnDestroy();
    }

    void HandleMessage(TMsgRec& rec) override {
        Log.push_back(Name);
        Seen.push_back(rec);
        if (Answer != 0) rec.Result = Answer;
        if (Action) Action(rec);
        if (DestroySelf) delete this;  // nothing of this object is read afterwards
    }

    TRecorder* Listening(UINT msg) {
        GlobalDispatcher->Listen(msg, this);
        return this;
    }

    std::string Name;
    LRESULT Answer;
    std::function<void(TMsgRec&)> Action;
    std::function<void()> OnDestroy;
    bool DestroySelf{};
    std::vector<TMsgRec> Seen;
};

TRecorder* NewRecorder(HWND window, const std::string& name, UINT msg, LRESULT answer = 0) {
    return (new TRecorder(window, name, answer))->Listening(msg);
}

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log.clear();
        Window = NewWindow();
        ASSERT_NE(Window, nullptr);
    }

    void TearDown() override {
        if (IsWindow(Window)) DestroyWindow(Window);
        // Every window is gone: so are its receivers and its table entries.
        if (GlobalDispatcher != nullptr) {
            EXPECT_EQ(GlobalDispatcher->Receivers.Count(), 0);
            EXPECT_EQ(GlobalDispatcher->SubclassedWnds.Count(), 0);
            EXPECT_EQ(GlobalDispatcher->OldProcs.Count(), 0);
            EXPECT_EQ(GlobalDispatcher->ListenMsgs.Count(), 0);
        }
        FreeGlobalDispatcher();
        THighHeap::ReleaseAll();
    }

    HWND Window{};
};

using Names = std::vector<std::string>;

// ---- Order of delivery and results ----

TEST_F(DispatcherTest, SubclassesTheWindowOnceAndRemembersItsProcedure) {
    new TRecorder(Window, "a");
    new TRecorder(Window, "b");
    EXPECT_EQ(ProcOf(Window), DispatcherWndProc);
    EXPECT_EQ(GlobalDispatcher->SubclassedWnds.Count(), 1);
    EXPECT_EQ(GlobalDispatcher->OldWndProc(Window), BaseProc);
    EXPECT_TRUE(GlobalDispatcher->IsSubclassed(Window));
}

TEST_F(DispatcherTest, MessageNobodyListensToGivesThePreviousResult) {
    NewRecorder(Window, "a", MsgB, 5);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    EXPECT_EQ(Log, (Names{"base"}));
}

TEST_F(DispatcherTest, PreviousProcedureFirstThenReceiversInRegistrationOrder) {
    NewRecorder(Window, "a", MsgA);
    NewRecorder(Window, "b", MsgA);
    NewRecorder(Window, "c", MsgA);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);  // all left Result at 0
    EXPECT_EQ(Log, (Names{"base", "a", "b", "c"}));
}

TEST_F(DispatcherTest, FirstNonzeroResultWinsAndEndsTheDelivery) {
    NewRecorder(Window, "a", MsgA);
    NewRecorder(Window, "b", MsgA, 5);
    NewRecorder(Window, "c", MsgA, 9);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), 5);
    EXPECT_EQ(Log, (Names{"base", "a", "b"}));
}

TEST_F(DispatcherTest, ReceiversOfOtherWindowsAreNotCalled) {
    HWND other = NewWindow();
    NewRecorder(other, "other", MsgA, 5);
    NewRecorder(Window, "mine", MsgA);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    EXPECT_EQ(Log, (Names{"base", "mine"}));
    DestroyWindow(other);
}

TEST_F(DispatcherTest, RecordCarriesFullWidthValuesBothWays) {
    constexpr WPARAM wide = 0x123456789ABCDEF0ull;
    constexpr LPARAM wideL = static_cast<LPARAM>(0xFEDCBA9876543210ull);
    constexpr LRESULT answer = 0x0000123456789ABCll;
    TRecorder* a = NewRecorder(Window, "a", MsgA);
    TRecorder* b = NewRecorder(Window, "b", MsgA, answer);
    EXPECT_EQ(SendMessageA(Window, MsgA, wide, wideL), answer);
    for (TRecorder* r : {a, b}) {
        ASSERT_EQ(r->Seen.size(), 1u);
        EXPECT_EQ(r->Seen[0].Msg, MsgA);
        EXPECT_EQ(r->Seen[0].WParam, wide);
        EXPECT_EQ(r->Seen[0].LParam, wideL);
        EXPECT_EQ(r->Seen[0].Result, 0);  // the receiver's copy starts at 0, not the window
    }
}

TEST_F(DispatcherTest, PostedMessagesArriveThroughTheMessageLoop) {
    TRecorder* a = NewRecorder(Window, "a", MsgA);
    PostMessageA(Window, MsgA, 3, 4);
    PostMessageA(Window, MsgB, 0, 0);
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(Log, (Names{"base", "a", "base"}));
    ASSERT_EQ(a->Seen.size(), 1u);
    EXPECT_EQ(a->Seen[0].WParam, 3u);
    EXPECT_EQ(a->Seen[0].LParam, 4);
}

TEST_F(DispatcherTest, RemovedReceiverIsNoLongerCalledButTheWindowStaysSubclassed) {
    TRecorder* a = NewRecorder(Window, "a", MsgA);
    NewRecorder(Window, "b", MsgA);
    delete a;
    EXPECT_FALSE(GlobalDispatcher->IsLive(a));
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    EXPECT_EQ(Log, (Names{"~a", "base", "b"}));
    EXPECT_EQ(ProcOf(Window), DispatcherWndProc);
}

// ---- Changes during a delivery ----

TEST_F(DispatcherTest, ReceiverCreatedDuringADeliveryIsCalledOnlyFromTheNext) {
    TRecorder* a = NewRecorder(Window, "a", MsgA);
    a->Action = [this](TMsgRec&) { NewRecorder(Window, "late", MsgA); };
    SendMessageA(Window, MsgA, 0, 0);
    a->Action = nullptr;
    SendMessageA(Window, MsgA, 0, 0);
    EXPECT_EQ(Log, (Names{"base", "a", "base", "a", "late"}));
}

TEST_F(DispatcherTest, ReceiverDestroyedDuringADeliveryIsNeverTouchedAgain) {
    TRecorder* a = NewRecorder(Window, "a", MsgA);
    TRecorder* b = NewRecorder(Window, "b", MsgA);
    NewRecorder(Window, "c", MsgA);
    a->Action = [b](TMsgRec&) { delete b; };
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    EXPECT_TRUE(THighHeap::IsFreed(b));
    EXPECT_EQ(Log, (Names{"base", "a", "~b", "c"}));
}

// A newcomer at the very address of a receiver destroyed in the same delivery
// is still a newcomer.
TEST_F(DispatcherTest, NewcomerAtADestroyedReceiversAddressIsNotCalled) {
    TRecorder* a = NewRecorder(Window, "a", MsgA);
    TRecorder* b = NewRecorder(Window, "b", MsgA);
    TRecorder* newcomer = nullptr;
    a->Action = [&](TMsgRec&) {
        delete b;
        THighHeap::ReuseNext(b);
        newcomer = NewRecorder(Window, "newcomer", MsgA);
    };
    SendMessageA(Window, MsgA, 0, 0);
    ASSERT_EQ(static_cast<void*>(newcomer), static_cast<void*>(b));
    EXPECT_EQ(Log, (Names{"base", "a", "~b"}));
}

// A receiver sends another message to the window; the nested delivery
// registers and destroys receivers, which rebuilds the shared snapshot. The
// outer delivery carries on with what it started with.
TEST_F(DispatcherTest, NestedDeliveryLeavesTheOuterWalkAlone) {
    TRecorder* outer = NewRecorder(Window, "outer", MsgA);
    TRecorder* nested = NewRecorder(Window, "nested", MsgB);
    NewRecorder(Window, "b", MsgA);
    TRecorder* doomed = NewRecorder(Window, "doomed", MsgA);
    NewRecorder(Window, "d", MsgA);
    outer->Action = [this](TMsgRec&) { SendMessageA(Window, MsgB, 0, 0); };
    nested->Action = [&](TMsgRec&) {
        NewRecorder(Window, "x", MsgA);
        NewRecorder(Window, "y", MsgA);
        delete doomed;
    };
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    EXPECT_EQ(Log, (Names{"base", "outer", "base", "nested", "~doomed", "b", "d"}));
}

TEST_F(DispatcherTest, ReceiverThatDestroysItselfIsLeftBehind) {
    NewRecorder(Window, "a", MsgA)->DestroySelf = true;
    NewRecorder(Window, "b", MsgA, 6);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), 6);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), 6);
    EXPECT_EQ(Log, (Names{"base", "a", "~a", "b", "base", "b"}));
}

// ---- WM_DESTROY ----

TEST_F(DispatcherTest, DestroyDestroysReceiversLastCreatedFirstAndPutsTheProcedureBack) {
    NewRecorder(Window, "r1", WM_DESTROY);  // receivers are never given WM_DESTROY
    NewRecorder(Window, "r2", MsgA);
    NewRecorder(Window, "r3", MsgA);
    HWND other = NewWindow();
    NewRecorder(other, "other", MsgA);
    DestroyWindow(Window);
    // WM_NCDESTROY comes after WM_DESTROY: it reaches the window's own
    // procedure only if that was put back.
    EXPECT_EQ(Log, (Names{"base:destroy", "~r3", "~r2", "~r1", "base:ncdestroy"}));
    EXPECT_FALSE(GlobalDispatcher->IsSubclassed(Window));
    EXPECT_EQ(GlobalDispatcher->Receivers.Count(), 1);
    EXPECT_EQ(GlobalDispatcher->SubclassedWnds.Count(), 1);
    DestroyWindow(other);
}

TEST_F(DispatcherTest, WindowWithoutReceiversLeftStaysSubclassedUntilItsDestroy) {
    delete NewRecorder(Window, "a", MsgA);
    EXPECT_EQ(ProcOf(Window), DispatcherWndProc);
    DestroyWindow(Window);
    EXPECT_EQ(Log, (Names{"~a", "base:destroy", "base:ncdestroy"}));
    EXPECT_EQ(GlobalDispatcher->SubclassedWnds.Count(), 0);
}

// Destroying one receiver of the dying window destroys others meanwhile: a
// child window with receivers of its own and a sibling receiver directly.
TEST_F(DispatcherTest, DestroyCopesWithReceiversThatDestroyOthers) {
    HWND child = NewWindow(Window);
    NewRecorder(child, "c1", MsgA);
    TRecorder* sibling = NewRecorder(Window, "sibling", MsgA);
    TRecorder* owner = NewRecorder(Window, "owner", MsgA);
    NewRecorder(child, "c2", MsgA);
    owner->OnDestroy = [&] {
        DestroyWindow(child);
        delete sibling;
    };
    NewRecorder(Window, "last", MsgA);
    DestroyWindow(Window);
    EXPECT_EQ(Log, (Names{"base:destroy", "~last", "~owner", "base:destroy", "~c2", "~c1", "base:ncdestroy",
                          "~sibling", "base:ncdestroy"}));
    EXPECT_FALSE(IsWindow(child));
}

// ---- A window subclassed by the dispatcher and by a control wrapper ----

// A stand-in for a control wrapper's subclassing: object in "OBJECT", the
// replaced procedure in "WNDPROC", letting go the chain-aware way.
class TStandIn : public THighHeapObject {
public:
    explicit TStandIn(HWND window) : Handle(window) {
        SetPropA(Handle, "OBJECT", this);
        SetPropA(Handle, "WNDPROC", reinterpret_cast<HANDLE>(ProcOf(Handle)));
        SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    }
    ~TStandIn() {
        Log.push_back("~standin");
        auto saved = reinterpret_cast<WNDPROC>(GetPropA(Handle, "WNDPROC"));
        if (ProcOf(Handle) == &Proc) {
            SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
        } else if (GlobalDispatcher != nullptr) {
            GlobalDispatcher->ReplaceOldProc(Handle, &Proc, saved);
        }
        RemovePropA(Handle, "OBJECT");
        RemovePropA(Handle, "WNDPROC");
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto prev = reinterpret_cast<WNDPROC>(GetPropA(hwnd, "WNDPROC"));
        if (msg == MsgA || msg == WM_NCDESTROY) Log.push_back(msg == MsgA ? "standin" : "standin:ncdestroy");
        LRESULT result = prev != nullptr ? CallWindowProcA(prev, hwnd, msg, wParam, lParam)
                                         : DefWindowProcA(hwnd, msg, wParam, lParam);
        auto* self = static_cast<TStandIn*>(GetPropA(hwnd, "OBJECT"));
        if (msg == WM_DESTROY && self != nullptr && self->DiesWithWindow) delete self;
        return result;
    }

    HWND Handle;
    bool DiesWithWindow{true};
};

class DoubleSubclassTest : public DispatcherTest {};

// The wrapper subclassed first, then the dispatcher (a group box that is the
// parent of scroll bars); the wrapper lets go first, at its parent's destroy.
TEST_F(DoubleSubclassTest, WrapperLettingGoFirstHandsItsPredecessorToTheDispatcher) {
    auto* standIn = new TStandIn(Window);
    NewRecorder(Window, "r", MsgA);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    delete standIn;
    EXPECT_EQ(ProcOf(Window), DispatcherWndProc);
    EXPECT_EQ(GlobalDispatcher->OldWndProc(Window), BaseProc);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    DestroyWindow(Window);
    EXPECT_EQ(Log, (Names{"standin", "base", "r", "~standin", "base", "r", "base:destroy", "~r",
                          "base:ncdestroy"}));
}

// The same chain, the window destroyed alone: the wrapper dies inside the
// dispatcher's call of it, and the dispatcher then restores what is left.
TEST_F(DoubleSubclassTest, WrapperDyingInsideTheDispatchersCallIsSkippedOnRestore) {
    new TStandIn(Window);
    NewRecorder(Window, "r", MsgA);
    DestroyWindow(Window);
    EXPECT_EQ(Log, (Names{"base:destroy", "~standin", "~r", "base:ncdestroy"}));
}

TEST_F(DoubleSubclassTest, DispatcherLettingGoFirstRestoresTheWrapper) {
    auto* standIn = new TStandIn(Window);
    standIn->DiesWithWindow = false;
    NewRecorder(Window, "r", MsgA);
    DestroyWindow(Window);
    EXPECT_EQ(Log, (Names{"base:destroy", "~r", "standin:ncdestroy", "base:ncdestroy"}));
    delete standIn;
}

// The dispatcher subclassed first, then the wrapper.
TEST_F(DoubleSubclassTest, WrapperOnTopLettingGoFirstPutsTheDispatcherBack) {
    NewRecorder(Window, "r", MsgA);
    auto* standIn = new TStandIn(Window);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    delete standIn;
    EXPECT_EQ(ProcOf(Window), DispatcherWndProc);
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), BaseResult);
    EXPECT_EQ(Log, (Names{"standin", "base", "r", "~standin", "base", "r"}));
}

// The dispatcher under the wrapper lets go at WM_DESTROY: the wrapper's
// "WNDPROC" now skips it, so WM_NCDESTROY still reaches the window's procedure.
TEST_F(DoubleSubclassTest, DispatcherUnderTheWrapperLettingGoFirstPatchesTheWrappersProperty) {
    NewRecorder(Window, "r", MsgA);
    auto* standIn = new TStandIn(Window);
    standIn->DiesWithWindow = false;
    DestroyWindow(Window);
    EXPECT_EQ(Log, (Names{"base:destroy", "~r", "standin:ncdestroy", "base:ncdestroy"}));
    delete standIn;
}

TEST_F(DispatcherTest, ReplaceOldProcChangesOnlyAMatchingEntry) {
    new TRecorder(Window, "r");
    EXPECT_FALSE(GlobalDispatcher->ReplaceOldProc(Window, DefWindowProcA, DefWindowProcA));
    EXPECT_FALSE(GlobalDispatcher->ReplaceOldProc(nullptr, BaseProc, DefWindowProcA));
    EXPECT_EQ(GlobalDispatcher->OldWndProc(Window), BaseProc);
    EXPECT_TRUE(GlobalDispatcher->ReplaceOldProc(Window, BaseProc, DefWindowProcA));
    EXPECT_EQ(GlobalDispatcher->OldWndProc(Window), DefWindowProcA);
    GlobalDispatcher->ReplaceOldProc(Window, DefWindowProcA, BaseProc);
}

// ---- The dispatcher's own lifetime ----

TEST_F(DispatcherTest, WithoutADispatcherTheWindowGetsDefaultProcessing) {
    auto* r = new TRecorder(Window, "r");
    FreeGlobalDispatcher();
    EXPECT_EQ(GlobalDispatcher, nullptr);
    SetWindowTextA(Window, "still answered");
    char text[32]{};
    GetWindowTextA(Window, text, sizeof(text));
    EXPECT_STREQ(text, "still answered");
    delete r;  // with no dispatcher left, nothing to unregister from
    SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BaseProc));
}

TEST_F(DispatcherTest, MessageForAWindowItDoesNotKnowReturnsZero) {
    new TRecorder(Window, "r");
    HWND stranger = NewWindow();
    SetWindowLongPtrA(stranger, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DispatcherWndProc));
    EXPECT_EQ(SendMessageA(stranger, MsgA, 0, 0), 0);
    EXPECT_TRUE(Log.empty());
    SetWindowLongPtrA(stranger, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BaseProc));
    DestroyWindow(stranger);
}

// ---- TMessageTrapper ----

std::vector<std::string> TrapLog;
void TrapFirst(TMsgRec* rec) { TrapLog.push_back("first:" + std::to_string(rec->WParam)); }
void TrapBump(TMsgRec* rec) {
    TrapLog.push_back("bump:" + std::to_string(rec->WParam));
    rec->WParam += 10;
}
void TrapAnswer3(TMsgRec* rec) { rec->Result = 3; }
void TrapAnswer4(TMsgRec* rec) { rec->Result = 4; }

class TrapperTest : public DispatcherTest {
protected:
    void SetUp() override {
        DispatcherTest::SetUp();
        TrapLog.clear();
    }
};

// Registered twice with the dispatcher, the trapper gets the message twice and
// runs both handlers each time; the handlers of one delivery share one copy of
// the record, and each delivery starts from the message as it came.
TEST_F(TrapperTest, TwoHandlersForOneMessageMakeFourCalls) {
    auto* trapper = new TMessageTrapper(Window);
    trapper->AddHandler(MsgA, TrapBump);
    trapper->AddHandler(MsgA, TrapFirst);
    EXPECT_EQ(trapper->Count, 2);
    EXPECT_EQ(SendMessageA(Window, MsgA, 1, 0), BaseResult);
    EXPECT_EQ(TrapLog, (Names{"bump:1", "first:11", "bump:1", "first:11"}));
}

TEST_F(TrapperTest, AllMatchingHandlersRunAndTheLastNonzeroResultWins) {
    auto* trapper = new TMessageTrapper(Window);
    trapper->AddHandler(MsgA, TrapAnswer3);
    trapper->AddHandler(MsgB, TrapFirst);
    trapper->AddHandler(MsgA, TrapAnswer4);
    // the first delivery answers 4, which also ends the dispatcher's walk
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, 0), 4);
    EXPECT_TRUE(TrapLog.empty());
    EXPECT_EQ(SendMessageA(Window, MsgB, 7, 0), BaseResult);
    EXPECT_EQ(TrapLog, (Names{"first:7"}));
}

TEST_F(TrapperTest, NullProcedureIsSkipped) {
    auto* trapper = new TMessageTrapper(Window);
    trapper->AddHandler(MsgA, nullptr);
    trapper->AddHandler(MsgA, TrapFirst);
    EXPECT_EQ(SendMessageA(Window, MsgA, 2, 0), BaseResult);
    EXPECT_EQ(TrapLog, (Names{"first:2", "first:2"}));
}

// ---- Everything above 4 GiB ----

TEST_F(DispatcherTest, ReceiversAndTheirDataAbove4GiBGoThroughTheListsIntact) {
    auto* data = static_cast<LRESULT*>(THighHeap::Allocate(sizeof(LRESULT)));
    ASSERT_TRUE(THighHeap::IsHigh(data));
    std::vector<TRecorder*> receivers;
    for (int i = 0; i < 20; ++i) receivers.push_back(NewRecorder(Window, "r" + std::to_string(i), MsgA));
    for (TRecorder* r : receivers) ASSERT_TRUE(THighHeap::IsHigh(r));
    receivers.back()->Action = [data](TMsgRec& rec) { rec.Result = reinterpret_cast<LRESULT>(data); };
    // A result that is a high pointer comes back whole.
    EXPECT_EQ(SendMessageA(Window, MsgA, 0, reinterpret_cast<LPARAM>(data)), reinterpret_cast<LRESULT>(data));
    for (TRecorder* r : receivers) {
        ASSERT_EQ(r->Seen.size(), 1u);
        EXPECT_EQ(r->Seen[0].LParam, reinterpret_cast<LPARAM>(data));
        EXPECT_TRUE(GlobalDispatcher->IsLive(r));
    }
    EXPECT_EQ(GlobalDispatcher->Receivers.Count(), 20);
    EXPECT_EQ(GlobalDispatcher->ListenReceivers.IndexOf(reinterpret_cast<uintptr_t>(receivers[7])), 7);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    THighHeap::InstallFaultReporter();
    RegisterTestClass();
    return RUN_ALL_TESTS();
}
