// tintrover-snapshot run as a program: options, output formats and errors.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LoadScene.h"
#include "View.h"

namespace {

namespace fs = std::filesystem;

struct TToolRun {
    int Exit = -1;
    std::string Out, Err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class SnapshotTool : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::path(::testing::TempDir()) /
              ("snapshot-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    TToolRun Start(const std::vector<std::string>& args) {
        std::string command = Quote(SNAPSHOT_TOOL);
        for (const std::string& a : args) command += " " + Quote(a);
        command += " >" + Quote((Dir / "stdout").string()) + " 2>" + Quote((Dir / "stderr").string());
        const int status = std::system(command.c_str());
        TToolRun run;
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = ReadFile(Dir / "stdout");
        run.Err = ReadFile(Dir / "stderr");
        return run;
    }
    std::string Path(const char* name) const { return (Dir / name).string(); }

    // The frame the program shows for `state`, as the raw file holds it.
    static std::string ExpectedRaw(const TViewState& state, uint32_t background = 0) {
        TScene scene;
        EXPECT_TRUE(LoadScene(scene));
        scene.MainRender.BackColor = 0xFF000000 | background;
        ApplyTabChange(scene, state.Tab);
        RenderView(scene, state);
        std::string raw;
        for (int32_t i = 0; i < RenderWidth * RenderHeight; ++i) {
            for (int shift = 0; shift < 32; shift += 8) raw += static_cast<char>(scene.MainRender.ColorBuffer[i] >> shift);
        }
        return raw;
    }
    static std::string RgbOf(const std::string& raw) {
        std::string rgb;
        for (size_t i = 0; i < raw.size(); i += 4) rgb += {raw[i + 2], raw[i + 1], raw[i]};
        return rgb;
    }

    fs::path Dir;
};

TViewState Tab(int32_t tab) {
    TViewState s;
    s.Tab = tab;
    s.H1 = InitialTabScrollPos[tab].H1;
    s.H2 = InitialTabScrollPos[tab].H2;
    s.V = InitialTabScrollPos[tab].V;
    return s;
}

TEST_F(SnapshotTool, DefaultsShowTypeAAtStartUpAndPrintItsStatusInUtf8) {
    const TToolRun run = Start({"--out", Path("a.raw")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=255\n");
    EXPECT_EQ(run.Err, "");
    const std::string raw = ReadFile(Path("a.raw"));
    ASSERT_EQ(raw.size(), 300u * 220u * 4u);
    EXPECT_EQ(raw, ExpectedRaw(Tab(0)));
}

TEST_F(SnapshotTool, EveryTabStartsAtItsFirstVisitPositions) {
    const char* statuses[] = {nullptr, "( 23 , 23 , 0 )\n", "( 337 , 23 , 0 )\n", "( 23 , 0 , 0 )\n"};
    for (int32_t tab = 1; tab <= 3; ++tab) {
        const TToolRun run = Start({"--tab", std::to_string(tab), "--out", Path("t.raw")});
        EXPECT_EQ(run.Exit, 0) << run.Err;
        EXPECT_EQ(run.Out, statuses[tab]);
        EXPECT_EQ(ReadFile(Path("t.raw")), ExpectedRaw(Tab(tab))) << tab;
    }
}

TEST_F(SnapshotTool, PositionsSettingsAndBackgroundReachTheFrame) {
    const TToolRun run = Start({"--tab=2", "--h1", "10", "--h2=5", "--v", "20", "--csection", "5", "--csingle", "--bg",
                           "0x123456", "--out", Path("c.raw")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "( 246 , 57 , 29 )\n");
    TViewState c = Tab(2);
    c.H1 = 10, c.H2 = 5, c.V = 20, c.TypeCSections = 5, c.TypeCSingle = true;
    const std::string raw = ReadFile(Path("c.raw"));
    EXPECT_EQ(raw, ExpectedRaw(c, 0x123456));
    EXPECT_EQ(raw.substr(0, 4), std::string("\x56\x34\x12\xFF", 4));  // the top-left pixel is background

    EXPECT_EQ(Start({"--tab", "3", "--dsection", "4", "--dlevel", "6", "--dsingle", "--v", "63", "--out", Path("d.raw")})
                  .Exit,
              0);
    TViewState d = Tab(3);
    d.V = 63, d.TypeDSections = 4, d.TypeDLevel = 6, d.TypeDSingle = true;
    EXPECT_EQ(ReadFile(Path("d.raw")), ExpectedRaw(d));
}

TEST_F(SnapshotTool, PngAndPpmHoldTheSameRgbFrame) {
    ASSERT_EQ(Start({"--tab", "1", "--out", Path("b.png")}).Exit, 0);
    ASSERT_EQ(Start({"--tab", "1", "--out", Path("b.PPM")}).Exit, 0);
    const std::string rgb = RgbOf(ExpectedRaw(Tab(1)));

    const std::string ppm = ReadFile(Path("b.PPM"));
    const std::string header = "P6\n300 220\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + rgb.size());
    EXPECT_EQ(ppm.substr(0, header.size()), header);
    EXPECT_EQ(ppm.substr(header.size()), rgb);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, Path("b.png").c_str()));
    EXPECT_EQ(image.width, 300u);
    EXPECT_EQ(image.height, 220u);
    image.format = PNG_FORMAT_RGB;
    std::string decoded(PNG_IMAGE_SIZE(image), '\0');
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr));
    EXPECT_EQ(decoded, rgb);
}

TEST_F(SnapshotTool, HelpExplainsEveryOption) {
    const TToolRun run = Start({"--help"});
    EXPECT_EQ(run.Exit, 0);
    for (const char* option : {"--tab", "--h1", "--h2", "--v", "--csection", "--csingle", "--dsection", "--dlevel",
                               "--dsingle", "--bg", "--out", ".png", ".ppm", ".raw"}) {
        EXPECT_NE(run.Out.find(option), std::string::npos) << option;
    }
}

TEST_F(SnapshotTool, BadOptionsGetOneLineOnStandardErrorExitTwoAndWriteNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"--tab", "4"},       {"--tab", "-1"},          {"--tab", "x"},         {"--tab", "1.5"},
        {"--h1", "64"},       {"--h2", "-1"},           {"--v", "101"},         {"--tab", "1", "--v", "64"},
        {"--csection", "0"},  {"--csection", "33"},     {"--dsection", "11"},   {"--dlevel", "0"},
        {"--bg", "123456"},   {"--bg", "0x1234567"},    {"--bg", "0xGG0000"},   {"--bg", "0x"},
        {"--frobnicate"},     {"stray"},                {"--csingle=1"},        {"--h1"},
        {"--tab", ""},        {"--v", "99999999999"},
    };
    for (std::vector<std::string> args : cases) {
        std::string what;
        for (const std::string& a : args) what += a + " ";
        if (args.back() != "--h1") args.insert(args.end(), {"--out", Path("bad.png")});
        const TToolRun run = Start(args);
        EXPECT_EQ(run.Exit, 2) << what;
        EXPECT_EQ(run.Out, "") << what;
        ASSERT_FALSE(run.Err.empty()) << what;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << what << run.Err;
        EXPECT_FALSE(fs::exists(Path("bad.png"))) << what;
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"--out", Path("bad.jpg")},
                                                 {"--out", Path("bad")}, {"--tab", "1"}}) {
        const TToolRun run = Start(args);
        EXPECT_EQ(run.Exit, 2);
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;
    }
    EXPECT_TRUE(fs::is_empty(Dir / "stdout"));
}

TEST_F(SnapshotTool, AnUnwritableFileIsReportedAndLeftAbsent) {
    const TToolRun run = Start({"--out", Path("missing/dir/x.ppm")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;
    EXPECT_FALSE(fs::exists(Path("missing")));
}

}  // namespace
