// The caption and class name come from the executable's file name up to its
// first ".": copies of the program under other names show it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RemoteApp.h"

namespace {

class ExeName : public ::testing::Test {
protected:
    void SetUp() override {
        const char* exe = std::getenv("TINTROVER_EXE");
        ASSERT_NE(exe, nullptr);
        Exe = WindowsPath(exe);
        char temp[MAX_PATH]{};
        GetTempPathA(MAX_PATH, temp);
        Folder = std::string(temp) + "tintrover-names-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& copy : Copies) DeleteFileA(copy.c_str());
        RemoveDirectoryA(Folder.c_str());
    }
    std::string CopyAs(const std::string& name) {
        const std::string copy = Folder + "\\" + name;
        EXPECT_TRUE(CopyFileA(Exe.c_str(), copy.c_str(), FALSE)) << copy;
        Copies.push_back(copy);
        return copy;
    }
    static std::string Caption(HWND w) {
        char text[128]{};
        GetWindowTextA(w, text, sizeof text);
        return text;
    }

    std::string Exe, Folder;
    std::vector<std::string> Copies;
};

TEST_F(ExeName, EverythingFromTheFirstDotOnIsDropped) {
    TRemoteApp app(CopyAs("my.view.exe"), "my");
    ASSERT_TRUE(app.Started()) << "no window of class \"my\"";
    EXPECT_EQ(Caption(app.Main()), "my");
    EXPECT_EQ(app.CloseAndWait(), 0);
}

// With no "." at all the caption is empty; a class name the system refuses
// must not leave the program without a window.
TEST_F(ExeName, ANameWithoutDotGivesAnEmptyCaptionAndStillAWindow) {
    TRemoteApp app(CopyAs("plain"), nullptr);
    ASSERT_TRUE(app.Started()) << "the program made no visible window";
    EXPECT_EQ(Caption(app.Main()), "");
    const std::string cls = ClassNameOf(app.Main());
    EXPECT_TRUE(cls.empty() || cls == "TintroverMain") << "class \"" << cls << "\"";
    EXPECT_EQ(app.CloseAndWait(), 0);
}

// Without its five models the program has nothing to draw: it closes its
// window again and ends with exit code 1 instead of running on.
TEST(StartUp, MissingModelsEndTheProgramWithCodeOne) {
    const char* exe = std::getenv("TINTROVER_NO_MODELS_EXE");
    ASSERT_NE(exe, nullptr);
    TRemoteApp app(WindowsPath(exe), "app_without_models");
    EXPECT_EQ(app.WaitForExit(60000), 1);
}

}  // namespace
