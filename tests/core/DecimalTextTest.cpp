// Decimal text to double: every result bit for bit what the standard
// library's correctly rounded conversion gives.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include "DecimalText.h"

namespace {

double Reference(const std::string& text) {
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    EXPECT_TRUE(ec == std::errc() && ptr == text.data() + text.size()) << text;
    return value;
}

void ExpectSameBits(const std::string& text) {
    const auto value = PlainDecimalToDouble(text);
    ASSERT_TRUE(value) << text;
    EXPECT_EQ(std::bit_cast<uint64_t>(*value), std::bit_cast<uint64_t>(Reference(text))) << text;
}

std::string Digits(std::mt19937& rng, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += static_cast<char>('0' + rng() % 10);
    return s;
}

}  // namespace

TEST(DecimalText, HardCasesRoundAsTheStandardLibraryDoes) {
    for (const char* text : {
             "0", "-0", "1.12", "0.06", "-0.5", "00012.50",
             "9007199254740993",  // 2^53 + 1: a tie, to even
             "9007199254740995",  // 2^53 + 3: a tie, to even upwards
             "9007199254740993.0000000000000000000001",  // just above the tie
             "0.1000000000000000055511151231257827021181583404541015625",  // 0.1 exactly
             "0.10000000000000000555111512312578270211815834045410156250001",
             "0.30000000000000004440892098500626161694526672363281249999",
             "1.00000000000000011102230246251565404236316680908203125",  // 1 + 2^-53: tie
             "340282356779733661637539395458142568448",                  // float max + half its ulp
             "0.000000000000000000000000000000000000000000001401298464324817070923729583289916131280",
             "1797693134862315708145274237317043567980705675258449965989174768031572607800285"
             "3876058955863276687817154045895351438246423432132688946418276846754670353751698"
             "6049910576551282076245490090389328944075868508455133942304583236903222948165808"
             "559332123348274797826204144723168738177180919299881250404026184124858368",  // max
         }) {
        ExpectSameBits(text);
    }
    // The smallest subnormal; half of it is a tie that goes to zero, which
    // from_chars reports as out of range instead.
    ExpectSameBits("0." + std::string(323, '0') + "4940656458412465441765687928682213723651");
    EXPECT_EQ(PlainDecimalToDouble("0." + std::string(323, '0') + "2470328229206232720882843964341106861825"), 0.0);
}

TEST(DecimalText, RandomDecimalsRoundAsTheStandardLibraryDoes) {
    std::mt19937 rng(20071020);
    for (int i = 0; i < 20000; ++i) {
        std::string text = (rng() % 2 ? "-" : "") + Digits(rng, 1 + static_cast<int>(rng() % 25));
        if (const int fraction = static_cast<int>(rng() % 30); fraction > 0) text += "." + Digits(rng, fraction);
        ExpectSameBits(text);
    }
}

TEST(DecimalText, AnythingButAPlainDecimalIsRefused) {
    for (const char* bad : {"", "-", ".5", "1.", "1,5", "1e5", "inf", "nan", "+1", "1.2.3", "0x1p3", " 1", "1 ", "--1"}) {
        EXPECT_FALSE(PlainDecimalToDouble(bad)) << bad;
    }
}
