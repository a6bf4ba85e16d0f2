#include "HelpViewer.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

class THelpAssociation {
public:
    THelpAssociation(const std::string& viewer, const std::string& record) : Saved(Read(".chm")) {
        Write(".chm", "TintroverTestHelp");
        Write("TintroverTestHelp\\shell\\open\\command", "\"" + viewer + "\" \"" + record + "\" \"%1\"");
    }
    ~THelpAssociation() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TintroverTestHelp");
        if (Saved.empty()) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".chm");
        else Write(".chm", Saved);
    }
    THelpAssociation(const THelpAssociation&) = delete;
    THelpAssociation& operator=(const THelpAssociation&) = delete;

private:
    static std::string Read(const char* key) {
        char value[256]{};
        LONG size = sizeof value;
        return RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS ? value : "";
    }
    static void Write(const std::string& key, const std::string& value) {
        RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    }
    std::string Saved;
};

// The viewer is a new Wine process: on a busy machine it may take many
// seconds to start. The wait ends as soon as it has written the record.
std::string WaitForRecord(const std::string& record) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (FILE* f = std::fopen(record.c_str(), "rb")) {
            char text[MAX_PATH * 2]{};
            const std::string opened(text, std::fread(text, 1, sizeof text - 1, f));
            std::fclose(f);
            if (!opened.empty()) return opened;
        }
    }
    return {};
}

}  // namespace

std::string OpenHelpThroughViewer(const TAppUi& ui, const TDriverMetrics& metrics,
                                  const std::string& viewer, const std::string& record) {
    DeleteFileA(record.c_str());
    std::string opened;
    {
        THelpAssociation association(viewer, record);
        ui.ClickHelp(metrics);
        opened = WaitForRecord(record);
    }
    DeleteFileA(record.c_str());
    return opened;
}

std::string HelpFileBeside(const std::string& exe) {
    return exe.substr(0, exe.find_last_of('\\') + 1) + "tintrover.chm";
}
