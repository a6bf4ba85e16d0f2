#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "UtilText.h"

namespace {

struct PathCase {
    const char* Path;
    const char* BaseName;
    const char* Folder;
};

class PathTextTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathTextTest, BaseNameAndFolder) {
    const PathCase& c = GetParam();
    EXPECT_EQ(BaseNameOfPath(c.Path), c.BaseName);
    EXPECT_EQ(FolderOfPath(c.Path), c.Folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathTextTest,
    ::testing::Values(
        // the folder's dot plays no part; the name ends at its first "."
        PathCase{R"(C:\a.b\tool.new.exe)", "tool", R"(C:\a.b)"},
        PathCase{R"(Z:\work\build\tintrover.exe)", "tintrover", R"(Z:\work\build)"},
        PathCase{R"(C:\my.view.exe)", "my", "C:"},
        // no "." in the name: an empty base name
        PathCase{R"(C:\bin\tool)", "", R"(C:\bin)"},
        PathCase{R"(C:\bin\.exe)", "", R"(C:\bin)"},
        // no "\" at all: a bare file name without a folder
        PathCase{"tool.new.exe", "tool", ""},
        PathCase{"tool", "", ""},
        PathCase{"", "", ""},
        // a trailing "\": the name is empty, the folder is what precedes it
        PathCase{R"(C:\dir.x\)", "", R"(C:\dir.x)"}));

TEST(StripFirstDirTest, DropsUpToAndIncludingTheFirstBackslash) {
    std::string s = R"(C:\a.b\tool.exe)";
    EXPECT_TRUE(StripFirstDir(s));
    EXPECT_EQ(s, R"(a.b\tool.exe)");
    EXPECT_TRUE(StripFirstDir(s));
    EXPECT_EQ(s, "tool.exe");
    EXPECT_FALSE(StripFirstDir(s));
    EXPECT_EQ(s, "tool.exe");

    std::string trailing = R"(dir\)";
    EXPECT_TRUE(StripFirstDir(trailing));
    EXPECT_EQ(trailing, "");
}

TEST(IntToTextTest, DecimalLikePercentD) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(400), "400");
    EXPECT_EQ(IntToText(INT_MAX), "2147483647");
    EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
}

}  // namespace
