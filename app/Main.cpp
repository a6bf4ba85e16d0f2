// The program body: names and creates the main window, lays it out once and
// runs the message loop until the window is closed.
#include "AppState.h"
#include "UtilFunc.h"

namespace {

// Ends the process early: the window was not created, or start-up could not
// build the scene.
constexpr int StartupFailedCode = 1;

bool MainWindowExists() {
    return App.MainWindow->Handle != nullptr && IsWindow(App.MainWindow->Handle);
}

}  // namespace

bool StartMainWindow() {
    const std::string caption = ExeBaseName();
    App.MainWindow = new TSDIMainWindow(nullptr, caption);  // dies with its window
    App.MainWindow->OnRegisterClass = MainRegisterClass;
    App.MainWindow->OnCreateParams = MainCreateParams;
    App.MainWindow->OnCreate = OnCreateMain;
    App.MainWindow->OnDestroy = OnDestroyMain;
    App.MainWindow->CreateWnd();
    if (!MainWindowExists()) {
        // No window ever attached the object, so nothing else frees it.
        if (App.MainWindow->Handle == nullptr) delete App.MainWindow;
        return false;
    }
    if (App.StartupFailed) {
        DestroyWindow(App.MainWindow->Handle);
        return false;
    }
    LayoutMainWindow();
    return true;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int code = StartMainWindow() ? RunMessageLoop() : StartupFailedCode;
    FreeGlobalDispatcher();
    return code;
}
