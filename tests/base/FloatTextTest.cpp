#include "base/FloatText.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace vellix {
namespace {

std::string ours(float value) {
    char text[kMaxFloatText];
    return {text, writeShortestFloat(text, value)};
}

std::string library(float value) {
    char text[64];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

// Compares the float of every bit pattern from `first` on, `count` of them, `step` apart; stops at
// the first few differences.
int compare(std::uint64_t first, std::uint64_t count, std::uint64_t step = 1) {
    int differences = 0;
    for (std::uint64_t i = 0; i < count && differences < 5; ++i) {
        const float value = std::bit_cast<float>(std::uint32_t(first + i * step));
        const std::string expected = library(value), written = ours(value);
        if (written != expected) {
            ++differences;
            ADD_FAILURE() << "bits 0x" << std::hex << std::uint32_t(first + i * step) << ": " << written
                          << " instead of " << expected;
        }
    }
    return differences;
}

// The text must be the C++ library's, byte for byte, so that a trace written where the library
// lacks to_chars for floats (the browser build) equals the one written natively. The places where
// shortest digits are hard: around every power of two (the step below is half the step above),
// the smallest floats, the switch between fixed and scientific notation, ties, and the signs.
TEST(FloatText, MatchesTheLibraryWhereTheDigitsAreHard) {
    for (std::uint32_t exponent = 0; exponent < 256; ++exponent) {
        const std::uint32_t power = exponent << 23;
        for (const std::uint32_t sign : {0u, 0x80000000u}) {
            compare((sign | power) - (power > 0 ? 64 : 0), 128);
        }
    }
    compare(0, 1 << 16);  // the smallest subnormals
    for (int digits = 1; digits <= 14; ++digits) {  // whole numbers around 10^k, k up to 14
        float ten = 1;
        for (int i = 0; i < digits; ++i) ten *= 10;
        compare(std::bit_cast<std::uint32_t>(ten) - 200, 400);
    }
    for (const float value : {1e-4f, 1e-5f, 1.5e-4f, 0.001f, 123456.f, 1234567.f, 1e5f, 1e6f, 3e6f, 1e7f, 16777216.f,
                              16777218.f, 123456792.f, 1074999936.f, 1079000064.f, 1e10f, 3.4028235e38f,
                              1.17549435e-38f, 0.3f, 2.5f, 997.f}) {
        EXPECT_EQ(ours(value), library(value));
        EXPECT_EQ(ours(-value), library(-value));
    }
    EXPECT_EQ(ours(0.0f), "0");
    EXPECT_EQ(ours(-0.0f), "-0");
    EXPECT_EQ(ours(std::bit_cast<float>(0x7f800000u)), library(std::bit_cast<float>(0x7f800000u)));
    EXPECT_EQ(ours(std::bit_cast<float>(0xff800000u)), library(std::bit_cast<float>(0xff800000u)));
    EXPECT_EQ(ours(std::bit_cast<float>(0x7fc00001u)), library(std::bit_cast<float>(0x7fc00001u)));
    EXPECT_EQ(ours(std::bit_cast<float>(0xffc00000u)), library(std::bit_cast<float>(0xffc00000u)));
}

// A number is read as the C++ library's from_chars reads it, whole or not at all: the same float
// for what both take, and a refusal for what it refuses, also where a C library would read more.
TEST(FloatText, ReadsWhatFromCharsReadsAndNothingElse) {
    for (const char* text : {"0", "-0", "12", "9105", "-2e6", "0.5", ".5", "5.", "1E3", "1e+3", "2.5e-3",
                             "1e-45", "3.4028234e38", "123456789", "0.1000000000000000055511151231257827"}) {
        float ourValue = -1, libraryValue = -2;
        const std::string_view view(text);
        const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), libraryValue);
        ASSERT_TRUE(error == std::errc() && end == view.data() + view.size()) << text;
        EXPECT_TRUE(readFloat(text, ourValue)) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ourValue), std::bit_cast<std::uint32_t>(libraryValue)) << text;
    }
    for (const char* text : {"", "-", ".", "+5", " 5", "5 ", "0x10", "1e", "1e+", "e5", "inf", "nan", "1e39",
                             "1e-50", "5,5", "1..2", "--1"}) {
        float value = 7;
        EXPECT_FALSE(readFloat(text, value)) << text;
        EXPECT_EQ(value, 7) << text;
    }
}

}  // namespace
}  // namespace vellix
