// tintrover-snapshot: its command line (in process), and the program run as a
// program: options, output formats, animations and errors.
#include <gtest/gtest.h>
#include <png.h>
#include <webp/demux.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "LoadScene.h"
#include "SnapshotOptions.h"
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

    TToolRun Start(const std::vector<std::string>& args, const std::string& stdoutPath = "") {
        // Relative names land in the test's own directory.
        std::string command = "cd " + Quote(Dir.string()) + " && " + Quote(SNAPSHOT_TOOL);
        for (const std::string& a : args) command += " " + Quote(a);
        command += " >" + Quote(stdoutPath.empty() ? (Dir / "stdout").string() : stdoutPath) + " 2>" +
                   Quote((Dir / "stderr").string());
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

std::set<std::string> Entries(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    names.erase("stdout");  // the runs' own
    names.erase("stderr");
    return names;
}

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

struct TDecodedFrame {
    std::string Rgb;
    int EndMs;
};

std::vector<TDecodedFrame> DecodeAnimation(const std::string& bytes) {
    WebPAnimDecoderOptions options;
    EXPECT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_RGBA;
    const WebPData data{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
    std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(WebPAnimDecoderNew(&data, &options),
                                                                         WebPAnimDecoderDelete);
    std::vector<TDecodedFrame> frames;
    WebPAnimInfo info{};
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return frames;
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        uint8_t* rgba = nullptr;
        int end = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &rgba, &end)) break;
        TDecodedFrame frame{"", end};
        for (size_t i = 0; i < size_t{info.canvas_width} * info.canvas_height; ++i) {
            frame.Rgb.append(reinterpret_cast<const char*>(rgba + 4 * i), 3);
        }
        frames.push_back(frame);
    }
    return frames;
}

// Frame k of a sweep is the single render of the swept bar at its k-th
// position: wrapping bars step round from their given position, the TypeA
// value bar goes from 0 to 100.
TEST_F(SnapshotTool, SweepFramesEqualSingleRendersOfTheirPositions) {
    const TToolRun numbered = Start({"--tab", "1", "--h2", "60", "--sweep", "h2", "--frames", "3", "--out", "s-%02d.raw"});
    EXPECT_EQ(numbered.Exit, 0) << numbered.Err;
    EXPECT_EQ(numbered.Out, "( 23 , 23 , 343 )\n( 23 , 23 , 103 )\n( 23 , 23 , 223 )\n");
    const int32_t h2s[] = {60, 18, 39};
    for (int k = 0; k < 3; ++k) {
        TViewState b = Tab(1);
        b.H2 = h2s[k];
        EXPECT_EQ(ReadFile(Dir / ("s-0" + std::to_string(k) + ".raw")), ExpectedRaw(b)) << k;
    }

    const TToolRun animated = Start({"--sweep", "v", "--frames", "4", "--delay", "25", "--out", "a.webp"});
    EXPECT_EQ(animated.Exit, 0) << animated.Err;
    EXPECT_EQ(animated.Out, "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=0\n"
                            "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=84\n"
                            "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=171\n"
                            "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=255\n");
    const std::vector<TDecodedFrame> frames = DecodeAnimation(ReadFile(Dir / "a.webp"));
    ASSERT_EQ(frames.size(), 4u);
    const int32_t values[] = {0, 33, 67, 100};
    for (size_t k = 0; k < 4; ++k) {
        TViewState a = Tab(0);
        a.V = values[k];
        EXPECT_EQ(frames[k].Rgb, RgbOf(ExpectedRaw(a))) << k;
        EXPECT_EQ(frames[k].EndMs, 25 * static_cast<int>(k + 1));
    }
}

double SrgbToLinear(int c) {
    const double s = c / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

int LinearToSrgb(double l) {
    const double s = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(s * 255));
}

TEST_F(SnapshotTool, ScaleOneIsTodaysFrameAndAaAveragesInLinearLight) {
    ASSERT_EQ(Start({"--tab", "3", "--scale", "1", "--aa", "1", "--out", "one.raw"}).Exit, 0);
    EXPECT_EQ(ReadFile(Dir / "one.raw"), ExpectedRaw(Tab(3)));

    ASSERT_EQ(Start({"--tab", "3", "--scale", "2", "--out", "two.raw"}).Exit, 0);
    const std::string two = ReadFile(Dir / "two.raw");
    ASSERT_EQ(two.size(), 600u * 440u * 4u);

    // --aa 2 is the twice-as-large view with each 2 x 2 block averaged in
    // linear light; averaging the codes plainly differs at the edges.
    ASSERT_EQ(Start({"--tab", "3", "--aa", "2", "--out", "smooth.raw"}).Exit, 0);
    const std::string smooth = ReadFile(Dir / "smooth.raw");
    ASSERT_EQ(smooth.size(), 300u * 220u * 4u);
    int plainDiffers = 0;
    for (size_t y = 0; y < 220; ++y) {
        for (size_t x = 0; x < 300; ++x) {
            const size_t first = (2 * y * 600 + 2 * x) * 4;
            for (size_t c = 0; c < 3; ++c) {
                double linear = 0;
                int plain = 0;
                for (const size_t at : {first, first + 4, first + 2400, first + 2404}) {
                    const auto code = static_cast<uint8_t>(two[at + c]);
                    linear += SrgbToLinear(code) / 4;
                    plain += code;
                }
                const auto actual = static_cast<uint8_t>(smooth[(y * 300 + x) * 4 + c]);
                EXPECT_NEAR(actual, LinearToSrgb(linear), 1) << x << "," << y;
                plainDiffers += std::abs(actual - (plain + 2) / 4) > 8;
            }
            EXPECT_EQ(smooth[(y * 300 + x) * 4 + 3], two[first + 3]);  // the first sample's flag byte
        }
    }
    EXPECT_GT(plainDiffers, 100);
}

TEST_F(SnapshotTool, HIsHelpAndVersionIsTheProjects) {
    const TToolRun run = Start({"--help"});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(Start({"-h"}).Out, run.Out);
    EXPECT_EQ(Start({"--version"}).Out, "tintrover-snapshot " TINTROVER_VERSION "\n");
}

TEST(SnapshotOptions, ABadOptionGetsOneLineNamingTheProblem) {
    // Each case comes after "--out bad.png", which a later --out replaces.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--tab", "4"}, "option --tab: 4 is outside 0..3"},
        {{"--tab", "-1"}, "option --tab: -1 is outside 0..3"},
        {{"--tab", "x"}, "option --tab: \"x\" is not a whole number"},
        {{"--tab", "1.5"}, "option --tab: \"1.5\" is not a whole number"},
        {{"--tab", ""}, "option --tab: \"\" is not a whole number"},
        {{"--v", "99999999999"}, "option --v: \"99999999999\" is not a whole number"},
        {{"--h1", "64"}, "option --h1: 64 is outside 0..63"},
        {{"--h2", "-1"}, "option --h2: -1 is outside 0..63"},
        {{"--v", "101"}, "option --v: 101 is outside 0..100"},
        {{"--tab", "1", "--v", "64"}, "option --v: 64 is outside 0..63 on tab 1"},
        {{"--csection", "0"}, "option --csection: 0 is outside 1..32"},
        {{"--csection", "33"}, "option --csection: 33 is outside 1..32"},
        {{"--dsection", "11"}, "option --dsection: 11 is outside 1..10"},
        {{"--dlevel", "0"}, "option --dlevel: 0 is outside 1..10"},
        {{"--bg", "123456"}, "option --bg: \"123456\" is not a colour 0xRRGGBB"},
        {{"--bg", "0x1234567"}, "option --bg: \"0x1234567\" is not a colour 0xRRGGBB"},
        {{"--bg", "0xGG0000"}, "option --bg: \"0xGG0000\" is not a colour 0xRRGGBB"},
        {{"--bg", "0x"}, "option --bg: \"0x\" is not a colour 0xRRGGBB"},
        {{"--frobnicate"}, "unknown option \"--frobnicate\" (see --help)"},
        {{"stray"}, "unexpected argument \"stray\" (see --help)"},
        {{"--csingle=1"}, "option --csingle takes no value"},
        {{"--version=1"}, "option --version takes no value"},
        {{"--h1"}, "option --h1 needs a value"},
        {{"--out", "bad.jpg"}, "option --out: \"bad.jpg\" does not end in .png, .ppm, .webp or .raw"},
        {{"--out", "bad"}, "option --out: \"bad\" does not end in .png, .ppm, .webp or .raw"},
        {{"--scale", "0"}, "option --scale: 0 is outside 1..8"},
        {{"--scale", "9"}, "option --scale: 9 is outside 1..8"},
        {{"--aa", "0"}, "option --aa: 0 is outside 1..4"},
        {{"--aa", "5"}, "option --aa: 5 is outside 1..4"},
        {{"--sweep", "x"}, "option --sweep: \"x\" is not h1, h2 or v"},
        {{"--sweep", "h1", "--out", "a.webp", "--frames", "1"}, "option --frames: 1 is outside 2..360"},
        {{"--sweep", "h1", "--out", "a.webp", "--frames", "361"}, "option --frames: 361 is outside 2..360"},
        {{"--sweep", "h1", "--out", "a.webp", "--delay", "19"}, "option --delay: 19 is outside 20..10000"},
        {{"--sweep", "h1", "--out", "a.webp", "--delay", "10001"}, "option --delay: 10001 is outside 20..10000"},
        {{"--sweep", "h1"}, "option --sweep needs --out NAME.webp or a numbered NAME-%03d.png"},
        {{"--frames", "5"}, "option --frames needs --sweep"},
        {{"--out", "a.webp", "--delay", "40"}, "option --delay needs --sweep and --out NAME.webp"},
        {{"--sweep", "v", "--out", "a-%03d.png", "--delay", "40"}, "option --delay needs --sweep and --out NAME.webp"},
        {{"--out", "a-%03d.png"}, "option --out: numbered files need --sweep"},
        {{"--sweep", "v", "--out", "a-%03d.webp"}, "option --out: numbered files are .png, .ppm or .raw"},
        {{"--out", "-", "--format", "webp"}, "option --out -: standard output takes one .png, .ppm or .raw image"},
        {{"--out", "-", "--sweep", "h1"}, "option --out -: standard output takes one .png, .ppm or .raw image"},
        {{"--format", "ppm"}, "option --format goes with --out - (a file's name gives its format)"},
        {{"--out", "-", "--format", "x.png"}, "option --format: \"x.png\" is not png, ppm or raw"},
    };
    for (const auto& [args, message] : cases) {
        std::vector<std::string> all{"--out", "bad.png"};
        all.insert(all.end(), args.begin(), args.end());
        const TOptionsResult parsed = ParseSnapshotOptions(all);
        EXPECT_FALSE(parsed.Ok) << message;
        EXPECT_EQ(parsed.Error, message);
    }
    // A numbered name holds exactly one %0Nd and no other directive.
    for (const char* pattern : {"a-%d.png", "a-%3d.png", "a-%00d.png", "a-%03x.png", "a-%03s.png", "a-%03.png",
                                "a-%03d-%03d.png", "a-%n%03d.png", "100%%-%03d.png", "a-%03d%.png"}) {
        EXPECT_EQ(ParseSnapshotOptions({"--sweep", "v", "--out", pattern}).Error,
                  "option --out: \"" + std::string(pattern) + "\" may hold one %0Nd (N 1..9) and no other %");
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"--tab", "1"}}) {
        EXPECT_EQ(ParseSnapshotOptions(args).Error, "option --out FILE is required (see --help)");
    }
}

TEST(SnapshotOptions, ArgumentsInMessagesAreQuotedWithControlsEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"1\nfake", R"("1\nfake")"},          {"\x1b[2J\t", R"("\x1b[2J\t")"},
        {"a\"b\\", R"("a\"b\\")"},           {"gr\xC3\xBCn \xE8\x89\xB2", "\"gr\xC3\xBCn \xE8\x89\xB2\""},
        {"\xC2\x9B" "1m\x7F", R"("\xc2\x9b1m\x7f")"}, {"\xC0\xAF\xFF\xE8\x89", R"("\xc0\xaf\xff\xe8\x89")"},
    };
    for (const auto& [arg, quoted] : cases) {
        EXPECT_EQ(ParseSnapshotOptions({"--tab", arg, "--out", "a.png"}).Error,
                  "option --tab: " + quoted + " is not a whole number");
    }
}

// Errors found while reading the options and after all are read: one line
// on standard error, exit code 2, nothing written.
TEST_F(SnapshotTool, ABadOptionExitsTwoAndWritesNothing) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--out", "bad.png", "--tab", "1\nfake"}, {"--out", "bad-%03d.png"},
          {"--sweep", "h1", "--out", "bad.webp", "--frames", "361"}}) {
        const TToolRun run = Start(args);
        EXPECT_EQ(run.Exit, 2) << args[1];
        EXPECT_EQ(run.Out, "") << args[1];
        EXPECT_EQ(run.Err, "tintrover-snapshot: " + ParseSnapshotOptions(args).Error + "\n");
        EXPECT_TRUE(Entries(Dir).empty()) << args[1];
    }
}

// A failed write changes nothing the user had: not a directory, not a link,
// not the link's target, and it leaves no temporary file behind.
TEST_F(SnapshotTool, AFailedWriteLeavesWhatOutNamesAsItWas) {
    struct TCase {
        const char* Out;
        const char* Reason;
    };
    fs::create_directory(Dir / "dir.png");
    fs::create_directory_symlink("dir.png", Dir / "link.png");
    for (const TCase& c : {TCase{"dir.png", "Is a directory"}, TCase{"link.png", "Is a directory"},
                           TCase{"missing/x.webp", "No such file or directory"}}) {
        const std::set<std::string> before = Entries(Dir);
        const TToolRun run = Start({"--out", Path(c.Out)});
        EXPECT_EQ(run.Exit, 1) << c.Out;
        EXPECT_EQ(run.Out, "") << c.Out;
        EXPECT_EQ(run.Err, "tintrover-snapshot: cannot write \"" + Path(c.Out) + "\": " + c.Reason + "\n");
        EXPECT_EQ(Entries(Dir), before) << c.Out;
    }
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(Dir / "dir.png")));
    EXPECT_TRUE(fs::is_symlink(Dir / "link.png"));
}

// A device node of the temporary folder (never the system's own), or false
// where this user may not make one.
bool MakeDevice(const fs::path& path, unsigned minor) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, minor)) == 0;
}
constexpr unsigned NullMinor = 3, FullMinor = 7;  // of Linux's memory devices

// What --out names and what is there afterwards: a missing or regular file is
// replaced whole, keeping its permission bits and any link to it; a device or
// FIFO is written in place and stays what it was; "-" is standard output.
struct TTargetCase {
    const char* Name;
    int Exit;
    const char* Error;  // after "cannot write PATH: "; "" for none
};

class SnapshotTarget : public SnapshotTool, public ::testing::WithParamInterface<TTargetCase> {};

TEST_P(SnapshotTarget, IsWrittenAsItsKindAllows) {
    const std::string name = GetParam().Name;
    const std::string expected = ExpectedRaw(Tab(0));
    const fs::path target = Dir / "target.raw";
    std::string out = target.string();
    std::thread reader;
    std::string readBack;
    if (name == "regular file" || name == "link to a file") {
        std::ofstream(target) << "old";
        fs::permissions(target, fs::perms(0640));
    }
    if (name == "link to a file" || name == "link to a full device") {
        fs::create_symlink("target.raw", Dir / "link.raw");
        out = Path("link.raw");
    }
    if (name == "directory") fs::create_directory(target);
    const bool full = name == "full device" || name == "link to a full device";
    if ((name == "null device" || full) && !MakeDevice(target, full ? FullMinor : NullMinor)) {
        GTEST_SKIP() << "mknod is not allowed here: " << std::strerror(errno);
    }
    if (name == "FIFO with a reader") {
        ASSERT_EQ(::mkfifo(target.c_str(), 0666), 0);
        reader = std::thread([&] { readBack = ReadFile(target); });
    }
    if (name == "standard output") out = "-";
    const fs::file_status before = fs::symlink_status(target);

    const TToolRun run =
        Start(out == "-" ? std::vector<std::string>{"--out", "-", "--format", "raw"} : std::vector<std::string>{"--out", out});
    if (reader.joinable()) {
        // A reader still waiting for a writer is released by one that writes nothing.
        const int fd = ::open(target.c_str(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
        reader.join();
    }
    EXPECT_EQ(run.Exit, GetParam().Exit);
    const std::string status = "\xE8\x89\xB2\xE7\x9B\xB8=0 / \xE6\x98\x8E\xE5\xBA\xA6=255\n";
    const std::string error = GetParam().Error;
    const std::string& statusStream = out == "-" ? run.Err : run.Out;
    EXPECT_EQ(error.empty() ? statusStream : run.Err,
              error.empty() ? status : "tintrover-snapshot: cannot write \"" + out + "\": " + error + "\n");

    // What is left: the same kind of node, the link still a link, the bytes.
    // Compared whole, not printed: a frame is 264,000 bytes.
    if (out == "-") {
        EXPECT_TRUE(run.Out == expected) << run.Out.size() << " bytes on standard output";
    }
    if (fs::exists(before)) {
        EXPECT_EQ(fs::symlink_status(target).type(), before.type());
    }
    if (out == Path("link.raw")) {
        EXPECT_TRUE(fs::is_symlink(Dir / "link.raw"));
    }
    if (fs::is_regular_file(before)) {
        EXPECT_TRUE(ReadFile(target) == expected);
        EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    } else if (name == "missing") {
        EXPECT_TRUE(ReadFile(target) == expected);
    }
    if (name == "FIFO with a reader") {
        EXPECT_TRUE(readBack == expected) << readBack.size() << " bytes read";
    }
    const std::set<std::string> left = Entries(Dir);
    EXPECT_TRUE(std::none_of(left.begin(), left.end(), [](const std::string& e) { return e.find(".tmp-") != std::string::npos; }));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SnapshotTarget,
    ::testing::Values(TTargetCase{"missing", 0, ""}, TTargetCase{"regular file", 0, ""},
                      TTargetCase{"link to a file", 0, ""}, TTargetCase{"directory", 1, "Is a directory"},
                      TTargetCase{"null device", 0, ""}, TTargetCase{"full device", 1, "No space left on device"},
                      TTargetCase{"link to a full device", 1, "No space left on device"},
                      TTargetCase{"FIFO with a reader", 0, ""}, TTargetCase{"standard output", 0, ""}),
    [](const ::testing::TestParamInfo<TTargetCase>& row) {
        std::string n = row.param.Name;
        std::replace(n.begin(), n.end(), ' ', '_');
        return n;
    });

TEST_F(SnapshotTool, LostStandardOutputIsAFailure) {
    if (!MakeDevice(Dir / "full", FullMinor)) GTEST_SKIP() << "mknod is not allowed here: " << std::strerror(errno);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--out", Path("a.raw")}, {"--help"}, {"--out", "-", "--format", "ppm"}}) {
        const TToolRun run = Start(args, Path("full"));
        EXPECT_EQ(run.Exit, 1) << args[1];
        EXPECT_EQ(run.Err.substr(run.Err.find("tintrover-snapshot: cannot")),
                  "tintrover-snapshot: cannot write standard output: No space left on device\n") << args[1];
    }
}

}  // namespace
