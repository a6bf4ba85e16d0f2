#pragma once
// The program under test as a person at the screen sees it: a process started
// from its executable, its windows found by class and stacking, messages sent
// to them, and memory in the other process for the control messages whose
// pointers Windows does not carry across processes.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TRemoteApp {
public:
    // Starts exe and waits for its visible top-level window of that class
    // (of any class for nullptr).
    TRemoteApp(const std::string& exe, const char* className);
    ~TRemoteApp();  // closes the window politely if it still runs
    TRemoteApp(const TRemoteApp&) = delete;
    TRemoteApp& operator=(const TRemoteApp&) = delete;

    HWND Main() const { return MainWindow; }
    bool Started() const { return MainWindow != nullptr; }
    DWORD ProcessId() const { return Info.dwProcessId; }
    bool Running() const;
    // The process's private bytes: what the memory manager has committed for
    // it alone (PagefileUsage, which Windows fills with the same figure as
    // PrivateUsage and Wine, which leaves PrivateUsage 0, with the process's
    // anonymous memory, resident or swapped); 0 when it cannot be read. The
    // steadiest figure of the program that can be read cheaply: over 1,000
    // random events under Wine its readings spread over 80 to 92 KB, those of
    // the working set, which moves as shared font and library pages are
    // mapped and dropped, over 1.3 MB with no leak at all.
    size_t PrivateBytes() const;
    // The process's windows: every top-level window (shown or not) and all
    // their descendants.
    int WindowCount() const;
    // GetGuiResources: Wine answers 0 for every process.
    DWORD GdiObjects() const { return GetGuiResources(Info.hProcess, GR_GDIOBJECTS); }

    // Children of `parent` in stacking order (top first), and the first child
    // of a class; nullptr when absent.
    static std::vector<HWND> Children(HWND parent);
    static HWND ChildOfClass(HWND parent, const char* className, int nth = 0);
    // A visible top-level window of the process with this class, or nullptr.
    HWND FindOwnedWindow(const char* className) const;

    // Sends a message whose lParam points at `size` bytes in the other
    // process: the bytes are copied there, the message sent, and copied back.
    LRESULT SendWithBuffer(HWND hwnd, UINT msg, WPARAM wParam, void* data, size_t size) const;

    // Waits until the program has handled everything sent and posted so far.
    void Sync() const;

    // Closes the main window and returns the exit code, or -1 on timeout.
    int CloseAndWait(DWORD timeoutMs = 30000);
    // Waits for the process to end on its own.
    int WaitForExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION Info{};
    HWND MainWindow{};
};

// A Unix path handed over by CTest, as Wine's drive Z: sees it; Windows paths
// pass unchanged.
std::string WindowsPath(const std::string& path);

std::wstring WindowTextW(HWND hwnd);
std::string ClassNameOf(HWND hwnd);
RECT ClientRectIn(HWND window, HWND reference);  // client area in reference's client coordinates
