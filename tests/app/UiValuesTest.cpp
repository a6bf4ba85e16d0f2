#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiValues.h"

namespace {

std::vector<std::string> SplitCrLf(const std::string& s) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t p; (p = s.find("\r\n", start)) != std::string::npos; start = p + 2)
        lines.push_back(s.substr(start, p - start));
    lines.push_back(s.substr(start));
    return lines;
}

TEST(AboutText, SevenLinesJoinedByCrLf) {
    const auto lines = SplitCrLf(AboutText());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Tintrover for XP");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Compiled on 2007.10.20(Sat) 14:56");
    for (int i : {1, 2, 4}) EXPECT_FALSE(lines[i].empty()) << "line " << i + 1;
    // No bare line feeds: an edit control shows only CR LF as a line break.
    EXPECT_EQ(AboutText().find('\n'), AboutText().find("\r\n") + 1);
}

TEST(UiStrings, TabCaptionsAndControlCaptions) {
    const std::vector<std::string> tabs(UiStrings.begin() + FirstTabCaption, UiStrings.end());
    EXPECT_EQ(tabs, (std::vector<std::string>{"TypeA", "TypeB", "TypeC", "TypeD", "Config", "About"}));
    EXPECT_STREQ(UiStrings[2], "Section");
    EXPECT_STREQ(UiStrings[3], "Level");
    EXPECT_STREQ(UiStrings[6], "Help");
}

TEST(TabScroll, FirstVisitPositionsAndRanges) {
    const std::array<std::array<int32_t, 3>, 4> firstVisit = {{{0, 0, 100}, {4, 0, 4}, {4, 0, 4}, {0, 0, 4}}};
    for (size_t t = 0; t < firstVisit.size(); ++t) {
        const TTabScroll& p = InitialTabScrollPos[t];
        EXPECT_EQ((std::array<int32_t, 3>{p.H1, p.H2, p.V}), firstVisit[t]) << "tab " << t;
    }
    EXPECT_EQ(TabScrollMax, (std::array<int32_t, 4>{100, 63, 63, 63}));
    EXPECT_EQ(HScrollMax, TabScrollMax[1]);
}

TEST(TabScroll, OnlyTheFourViewTabsHaveScrollState) {
    EXPECT_FALSE(IsViewTab(-1));
    EXPECT_TRUE(IsViewTab(0));
    EXPECT_TRUE(IsViewTab(3));
    EXPECT_FALSE(IsViewTab(4));
}

}  // namespace
