// The download as a Windows user gets it: the ZIP unpacked into a fresh
// folder and the program started from there. It shows its window and first
// frame, finds its help beside it, carries its version record and manifest,
// and closes with exit code 0.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "AppUi.h"
#include "Frames.h"
#include "HelpViewer.h"

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::vector<char> VersionRecord(const std::string& exe) {
    DWORD ignored = 0;
    std::vector<char> record(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    if (!record.empty() && !GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(record.size()), record.data()))
        record.clear();
    return record;
}

std::string VersionText(const std::vector<char>& record, const std::string& name) {
    char* text = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(record.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return "(none)";
    return text;
}

// The numbers Explorer shows as the file version, as "a.b.c.d".
std::string FixedFileVersion(const std::vector<char>& record) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) return "(none)";
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
           "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */)) {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (bytes) text.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = WindowsPath(Env("TINTROVER_PACKAGE_DIR"));
        ASSERT_FALSE(Folder.empty());
        Exe = Folder + "\\tintrover.exe";
    }
    std::string Folder, Exe;
};

TEST_F(Package, TheUnpackedProgramShowsItsFirstFrameOpensItsHelpAndClosesCleanly) {
    TRemoteApp app(Exe, "tintrover");
    ASSERT_TRUE(app.Started()) << "no window from " << Exe;
    EXPECT_EQ(WindowTextW(app.Main()), L"tintrover");
    TAppUi ui(app);
    ui.KeepInView();
    const std::string frames = WindowsPath(Env("TINTROVER_FRAMES"));
    const auto start = LoadReference(frames, TExpectedView{});
    ASSERT_TRUE(start) << "no reference for the start state";
    const TFrameDiff diff = ui.WaitForFrame(start->Pixels);
    EXPECT_EQ(diff.Count, 0) << "first difference at " << diff.First;
    EXPECT_EQ(ui.StatusText(), start->Status);

    EXPECT_NE(GetFileAttributesA(HelpFileBeside(Exe).c_str()), INVALID_FILE_ATTRIBUTES) << "no help in the package";
    ui.ClickTab(4);
    const std::string opened = OpenHelpThroughViewer(ui, MeasureLayoutMetrics(), WindowsPath(Env("TINTROVER_HELP_VIEWER")),
                                                     frames + "\\package-help-opened.txt");
    EXPECT_EQ(lstrcmpiA(opened.c_str(), HelpFileBeside(Exe).c_str()), 0) << "opened \"" << opened << "\"";

    EXPECT_EQ(app.CloseAndWait(), 0);
}

TEST_F(Package, TheProgramCarriesTheProjectVersionAndItsManifest) {
    const std::vector<char> record = VersionRecord(Exe);
    ASSERT_FALSE(record.empty()) << "no version record in " << Exe;
    const std::string version = Env("TINTROVER_VERSION");
    EXPECT_EQ(FixedFileVersion(record), version);
    EXPECT_EQ(VersionText(record, "FileVersion"), version);
    EXPECT_EQ(VersionText(record, "ProductVersion"), version);
    EXPECT_EQ(VersionText(record, "LegalCopyright"), Env("TINTROVER_COPYRIGHT"));

    // Visual styles or DPI awareness would change what the window shows.
    const std::string manifest = ManifestOf(Exe);
    EXPECT_EQ(manifest, FileText(WindowsPath(Env("TINTROVER_MANIFEST"))));
    for (const char* absent : {"Common-Controls", "dpiAware"})
        EXPECT_EQ(manifest.find(absent), std::string::npos) << absent;
}

}  // namespace
