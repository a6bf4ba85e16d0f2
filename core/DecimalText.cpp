#include "DecimalText.h"

#include <bit>
#include <cmath>
#include <iterator>
#include <cstdint>
#include <vector>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An unsigned integer of any size, least significant 32-bit word first, with
// just what the exact conversion needs.
class TBigUnsigned {
public:
    explicit TBigUnsigned(uint64_t v = 0) {
        for (; v != 0; v >>= 32) Words.push_back(static_cast<uint32_t>(v));
    }

    void MultiplyAdd(uint32_t factor, uint32_t addend) {
        uint64_t carry = addend;
        for (uint32_t& w : Words) {
            const uint64_t t = uint64_t{w} * factor + carry;
            w = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) Words.push_back(static_cast<uint32_t>(carry));
    }

    void ShiftLeft(int32_t bits) {
        if (Words.empty() || bits <= 0) return;
        const auto wordShift = static_cast<size_t>(bits / 32);
        const int32_t bitShift = bits % 32;
        Words.insert(Words.begin(), wordShift, 0u);
        if (bitShift == 0) return;
        uint32_t carry = 0;
        for (size_t i = wordShift; i < Words.size(); ++i) {
            const uint32_t w = Words[i];
            Words[i] = w << bitShift | carry;
            carry = w >> (32 - bitShift);
        }
        if (carry != 0) Words.push_back(carry);
    }

    int32_t BitLength() const {
        if (Words.empty()) return 0;
        return static_cast<int32_t>(Words.size() * 32) - std::countl_zero(Words.back());
    }

    friend int Compare(const TBigUnsigned& a, const TBigUnsigned& b) {
        if (a.Words.size() != b.Words.size()) return a.Words.size() < b.Words.size() ? -1 : 1;
        for (size_t i = a.Words.size(); i-- > 0;) {
            if (a.Words[i] != b.Words[i]) return a.Words[i] < b.Words[i] ? -1 : 1;
        }
        return 0;
    }

    // *this -= b, for b <= *this.
    void Subtract(const TBigUnsigned& b) {
        int64_t borrow = 0;
        for (size_t i = 0; i < Words.size(); ++i) {
            int64_t t = int64_t{Words[i]} - borrow - (i < b.Words.size() ? int64_t{b.Words[i]} : 0);
            borrow = t < 0 ? 1 : 0;
            Words[i] = static_cast<uint32_t>(t + (borrow << 32));
        }
        while (!Words.empty() && Words.back() == 0) Words.pop_back();
    }

private:
    std::vector<uint32_t> Words;
};

constexpr int32_t MantissaBits = 53;
// 10^0 .. 10^22: every one exact in a double.
constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int32_t LeastExponent = -1074;  // of the last bit of the smallest subnormal

// n / d rounded to the nearest double, ties to even, for n, d > 0. The
// quotient is taken in binary: q = floor(n / (d * 2^e)) with e chosen so that
// q has 53 bits (fewer for a subnormal result), and the remainder decides the
// rounding.
double Quotient(TBigUnsigned n, TBigUnsigned d) {
    // n / (d * 2^e) lies in [2^51, 2^53) for this e; one less when it is
    // below 2^52.
    int32_t e = n.BitLength() - d.BitLength() - (MantissaBits - 1);
    const auto scaled = [&](int32_t exponent, TBigUnsigned& num, TBigUnsigned& den) {
        num = n;
        den = d;
        if (exponent >= 0) den.ShiftLeft(exponent);
        else num.ShiftLeft(-exponent);
    };
    TBigUnsigned num, den;
    scaled(e, num, den);
    TBigUnsigned top = den;
    top.ShiftLeft(MantissaBits - 1);
    if (Compare(num, top) < 0) {
        --e;
        scaled(e, num, den);
    }
    if (e < LeastExponent) {
        e = LeastExponent;
        scaled(e, num, den);
    }
    // Long division: at most 53 quotient bits, from the top.
    uint64_t q = 0;
    for (int32_t bit = MantissaBits; bit >= 0; --bit) {
        TBigUnsigned step = den;
        step.ShiftLeft(bit);
        if (Compare(num, step) >= 0) {
            num.Subtract(step);
            q |= uint64_t{1} << bit;
        }
    }
    // Remainder against half the divisor: num * 2 against den.
    num.ShiftLeft(1);
    const int half = Compare(num, den);
    if (half > 0 || (half == 0 && (q & 1) != 0)) ++q;
    // q may now be 2^53: still exact in a double.
    return std::ldexp(static_cast<double>(q), e);
}

}  // namespace

std::optional<double> PlainDecimalToDouble(std::string_view text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    const size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == intStart) return std::nullopt;
    const size_t intEnd = i;
    size_t fracStart = i, fracEnd = i;
    if (i < text.size()) {
        if (text[i] != '.') return std::nullopt;
        fracStart = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        fracEnd = i;
        if (fracEnd == fracStart || i != text.size()) return std::nullopt;
    }

    // All digits as one integer over 10 to the number of fraction digits.
    TBigUnsigned numerator;
    uint64_t small = 0;  // the same while it stays below 2^53
    bool exactSmall = true;
    const auto addDigit = [&](char c) {
        const auto digit = static_cast<uint32_t>(c - '0');
        numerator.MultiplyAdd(10, digit);
        if (exactSmall) {
            small = small * 10 + digit;
            exactSmall = small < (uint64_t{1} << MantissaBits);
        }
    };
    for (size_t k = intStart; k < intEnd; ++k) addDigit(text[k]);
    for (size_t k = fracStart; k < fracEnd; ++k) addDigit(text[k]);
    const size_t fractionDigits = fracEnd - fracStart;

    double value = 0.0;
    if (numerator.BitLength() == 0) {
        value = 0.0;
    } else if (exactSmall && fractionDigits < std::size(PowersOfTen)) {
        // Both operands are exact doubles, so one division rounds correctly.
        value = static_cast<double>(small) / PowersOfTen[fractionDigits];
    } else {
        TBigUnsigned denominator(1);
        for (size_t k = 0; k < fractionDigits; ++k) denominator.MultiplyAdd(10, 0);
        value = Quotient(numerator, denominator);
    }
    return negative ? -value : value;
}
