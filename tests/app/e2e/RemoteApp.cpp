#include "RemoteApp.h"

#include <psapi.h>

#include <chrono>
#include <thread>

namespace {

template <typename Pred>
bool WaitFor(Pred pred, DWORD timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

struct TFindArgs {
    DWORD pid;
    const char* className;
    HWND found;
};

struct TCountArgs {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountOne(HWND, LPARAM lp) {
    ++reinterpret_cast<TCountArgs*>(lp)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lp) {
    auto* args = reinterpret_cast<TCountArgs*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != args->pid) return TRUE;
    ++args->count;
    EnumChildWindows(hwnd, CountOne, lp);
    return TRUE;
}

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lp) {
    auto* args = reinterpret_cast<TFindArgs*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == args->pid && IsWindowVisible(hwnd) &&
        (args->className == nullptr || ClassNameOf(hwnd) == args->className)) {
        args->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string w = "Z:" + path;
    for (char& c : w)
        if (c == '/') c = '\\';
    return w;
}

std::wstring WindowTextW(HWND hwnd) {
    wchar_t buffer[512]{};
    const LRESULT n = SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, static_cast<size_t>(n));
}

std::string ClassNameOf(HWND hwnd) {
    char name[256]{};
    const int n = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, static_cast<size_t>(n > 0 ? n : 0));
}

RECT ClientRectIn(HWND window, HWND reference) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TRemoteApp::TRemoteApp(const std::string& exe, const char* className) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &Info))
        return;
    TFindArgs args{Info.dwProcessId, className, nullptr};
    WaitFor([&] {
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&args));
        return args.found != nullptr || WaitForSingleObject(Info.hProcess, 0) == WAIT_OBJECT_0;
    }, 60000);
    MainWindow = args.found;
    if (MainWindow) Sync();
}

TRemoteApp::~TRemoteApp() {
    if (Info.hProcess) {
        if (WaitForSingleObject(Info.hProcess, 0) != WAIT_OBJECT_0) CloseAndWait();
        CloseHandle(Info.hThread);
        CloseHandle(Info.hProcess);
    }
}

std::vector<HWND> TRemoteApp::Children(HWND parent) {
    std::vector<HWND> list;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) list.push_back(c);
    return list;
}

HWND TRemoteApp::ChildOfClass(HWND parent, const char* className, int nth) {
    for (HWND c : Children(parent))
        if (ClassNameOf(c) == className && nth-- == 0) return c;
    return nullptr;
}

HWND TRemoteApp::FindOwnedWindow(const char* className) const {
    TFindArgs args{Info.dwProcessId, className, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

LRESULT TRemoteApp::SendWithBuffer(HWND hwnd, UINT msg, WPARAM wParam, void* data, size_t size) const {
    void* remote = VirtualAllocEx(Info.hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return 0;
    WriteProcessMemory(Info.hProcess, remote, data, size, nullptr);
    const LRESULT result = SendMessageA(hwnd, msg, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(Info.hProcess, remote, data, size, nullptr);
    VirtualFreeEx(Info.hProcess, remote, 0, MEM_RELEASE);
    return result;
}

bool TRemoteApp::Running() const {
    return Info.hProcess && WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT;
}

size_t TRemoteApp::PrivateBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(Info.hProcess, &counters, sizeof counters)) return 0;
    return counters.PagefileUsage;
}

int TRemoteApp::WindowCount() const {
    TCountArgs args{Info.dwProcessId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&args));
    return args.count;
}

void TRemoteApp::Sync() const {
    // A sent message is handled only once the program looks at its queue
    // again; waiting for input idle then lets the posted messages run too.
    // Both end as soon as the program is done (well under a second under
    // Wine); the bounds only stop a hung program holding the driver forever.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(MainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
    WaitForInputIdle(Info.hProcess, 60000);
}

int TRemoteApp::CloseAndWait(DWORD timeoutMs) {
    if (MainWindow) PostMessageA(MainWindow, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

int TRemoteApp::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(Info.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(Info.hProcess, &code);
    return static_cast<int>(code);
}
