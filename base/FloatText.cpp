#include "base/FloatText.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// The shortest digits come from the interval of decimals that read back as the float: the float is
// m * 2^e, its neighbours lie half a step away on either side, and the decimals in between are
// scaled by a power of ten with 64-bit fixed-point multipliers exact enough for every float (the
// method of Ulf Adams' "Ryu"). Digits are then dropped while the interval still holds a shorter
// decimal, and the last one kept is rounded to the nearest.

namespace vellix {

namespace {

using u128 = unsigned __int128;

constexpr int kMantissaBits = 23;
constexpr int kExponentBias = 127;
// Bits of the fixed-point multipliers: 5^i, and 2^k / 5^q.
constexpr int kPow5Bits = 61;
constexpr int kPow5InverseBits = 59;
constexpr int kPow5Count = 47;         // 5^0 .. 5^46: the smallest floats
constexpr int kPow5InverseCount = 31;  // 5^-0 .. 5^-30: the largest

// ceil(log2(5^e)), and 1 for e = 0.
constexpr int pow5Bits(int e) { return int((std::uint32_t(e) * 1217359u) >> 19) + 1; }
// floor(log10(2^e)) and floor(log10(5^e)).
constexpr int log10Pow2(int e) { return int((std::uint32_t(e) * 78913u) >> 18); }
constexpr int log10Pow5(int e) { return int((std::uint32_t(e) * 732923u) >> 20); }

constexpr u128 pow5(int e) {
    u128 p = 1;
    for (int i = 0; i < e; ++i) p *= 5;
    return p;
}

// The top kPow5Bits bits of 5^i.
constexpr std::array<std::uint64_t, kPow5Count> kPow5 = [] {
    std::array<std::uint64_t, kPow5Count> table{};
    for (int i = 0; i < kPow5Count; ++i) {
        const int shift = pow5Bits(i) - kPow5Bits;
        table[std::size_t(i)] = std::uint64_t(shift < 0 ? pow5(i) << -shift : pow5(i) >> shift);
    }
    return table;
}();

// floor(2^k / 5^q) + 1, with k = pow5Bits(q) - 1 + kPow5InverseBits (k reaches 128 at q = 30,
// where 2^128 - 1 divides the same since 5^q does not divide 2^128).
constexpr std::array<std::uint64_t, kPow5InverseCount> kPow5Inverse = [] {
    std::array<std::uint64_t, kPow5InverseCount> table{};
    for (int q = 0; q < kPow5InverseCount; ++q) {
        const int k = pow5Bits(q) - 1 + kPow5InverseBits;
        const u128 power = k >= 128 ? ~u128(0) : u128(1) << k;
        table[std::size_t(q)] = std::uint64_t(power / pow5(q) + 1);
    }
    return table;
}();

// (m * factor) >> shift, for shift > 32, without overflow.
std::uint32_t mulShift(std::uint32_t m, std::uint64_t factor, int shift) {
    const std::uint64_t low = std::uint64_t(m) * std::uint32_t(factor);
    const std::uint64_t high = std::uint64_t(m) * std::uint32_t(factor >> 32);
    return std::uint32_t(((low >> 32) + high) >> (shift - 32));
}

int factorsOf5(std::uint32_t value) {
    int count = 0;
    while (value % 5 == 0) {
        value /= 5;
        ++count;
    }
    return count;
}

bool multipleOfPow5(std::uint32_t value, int p) { return factorsOf5(value) >= p; }
bool multipleOfPow2(std::uint32_t value, int p) { return (value & ((1u << p) - 1)) == 0; }

// A finite nonzero float as digits * 10^exponent, with the fewest digits.
struct Decimal {
    std::uint32_t digits;
    int exponent;
};

Decimal shortestDecimal(std::uint32_t fraction, int biasedExponent) {
    // The float is m2 * 2^e2, and every bound below is 4 * m2 * 2^e2 shifted: four times finer.
    const int e2 = (biasedExponent == 0 ? 1 : biasedExponent) - kExponentBias - kMantissaBits - 2;
    const std::uint32_t m2 = biasedExponent == 0 ? fraction : (1u << kMantissaBits) | fraction;
    // A float with an even mantissa takes its interval's bounds too (ties read back to even).
    const bool acceptBounds = m2 % 2 == 0;
    const std::uint32_t mv = 4 * m2;
    const std::uint32_t mp = 4 * m2 + 2;
    // Just above a power of two the step below is half the step above.
    const std::uint32_t lowerGapIsFull = fraction != 0 || biasedExponent <= 1;
    const std::uint32_t mm = 4 * m2 - 1 - lowerGapIsFull;

    std::uint32_t vr = 0, vp = 0, vm = 0;
    int e10 = 0;
    bool vmIsTrailingZeros = false, vrIsTrailingZeros = false;
    std::uint32_t lastRemovedDigit = 0;
    if (e2 >= 0) {
        const int q = log10Pow2(e2);
        e10 = q;
        const int k = kPow5InverseBits + pow5Bits(q) - 1;
        const int i = -e2 + q + k;
        vr = mulShift(mv, kPow5Inverse[std::size_t(q)], i);
        vp = mulShift(mp, kPow5Inverse[std::size_t(q)], i);
        vm = mulShift(mm, kPow5Inverse[std::size_t(q)], i);
        if (q != 0 && (vp - 1) / 10 <= vm / 10) {
            // The digit just below those kept is needed for rounding even when no digit is dropped.
            const int l = kPow5InverseBits + pow5Bits(q - 1) - 1;
            lastRemovedDigit = mulShift(mv, kPow5Inverse[std::size_t(q - 1)], -e2 + q - 1 + l) % 10;
        }
        if (q <= 9) {
            // At most one of mp, mv and mm is a multiple of 5.
            if (mv % 5 == 0) vrIsTrailingZeros = multipleOfPow5(mv, q);
            else if (acceptBounds) vmIsTrailingZeros = multipleOfPow5(mm, q);
            else vp -= multipleOfPow5(mp, q) ? 1 : 0;
        }
    } else {
        const int q = log10Pow5(-e2);
        e10 = q + e2;
        const int i = -e2 - q;
        const int k = pow5Bits(i) - kPow5Bits;
        int j = q - k;
        vr = mulShift(mv, kPow5[std::size_t(i)], j);
        vp = mulShift(mp, kPow5[std::size_t(i)], j);
        vm = mulShift(mm, kPow5[std::size_t(i)], j);
        if (q != 0 && (vp - 1) / 10 <= vm / 10) {
            j = q - 1 - (pow5Bits(i + 1) - kPow5Bits);
            lastRemovedDigit = mulShift(mv, kPow5[std::size_t(i + 1)], j) % 10;
        }
        if (q <= 1) {
            // mv has two trailing zero bits; mm has one exactly when the lower gap is full.
            vrIsTrailingZeros = true;
            if (acceptBounds) vmIsTrailingZeros = lowerGapIsFull == 1;
            else --vp;
        } else if (q < 31) {
            vrIsTrailingZeros = multipleOfPow2(mv, q - 1);
        }
    }

    int removed = 0;
    const auto dropDigit = [&] {
        lastRemovedDigit = vr % 10;
        vr /= 10;
        vp /= 10;
        vm /= 10;
        ++removed;
    };
    std::uint32_t output = 0;
    if (vmIsTrailingZeros || vrIsTrailingZeros) {
        // Exact decimals: the bound and the exact value need their dropped digits watched.
        while (vp / 10 > vm / 10) {
            vmIsTrailingZeros &= vm % 10 == 0;
            vrIsTrailingZeros &= lastRemovedDigit == 0;
            dropDigit();
        }
        while (vmIsTrailingZeros && vm % 10 == 0) {
            vrIsTrailingZeros &= lastRemovedDigit == 0;
            dropDigit();
        }
        // Exactly half way: round to even.
        if (vrIsTrailingZeros && lastRemovedDigit == 5 && vr % 2 == 0) lastRemovedDigit = 4;
        output = vr + (((vr == vm && (!acceptBounds || !vmIsTrailingZeros)) || lastRemovedDigit >= 5) ? 1 : 0);
    } else {
        while (vp / 10 > vm / 10) dropDigit();
        output = vr + ((vr == vm || lastRemovedDigit >= 5) ? 1 : 0);
    }
    return {output, e10 + removed};
}

int decimalLength(std::uint64_t value) {
    int length = 1;
    while (value >= 10) {
        value /= 10;
        ++length;
    }
    return length;
}

// Writes `value`'s `length` decimal digits.
char* writeDigits(char* out, std::uint64_t value, int length) {
    for (int i = length - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
    return out + length;
}

char* writeText(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

char* writeScientific(char* out, Decimal decimal, int length) {
    char digits[10];
    writeDigits(digits, decimal.digits, length);
    *out++ = digits[0];
    if (length > 1) {
        *out++ = '.';
        std::memcpy(out, digits + 1, std::size_t(length - 1));
        out += length - 1;
    }
    const int exponent = decimal.exponent + length - 1;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    return writeDigits(out, std::uint64_t(exponent < 0 ? -exponent : exponent), 2);
}

// A fraction in fixed notation: the digits with the point among them, or behind "0." and zeros.
char* writeFixedFraction(char* out, Decimal decimal, int length) {
    char digits[10];
    writeDigits(digits, decimal.digits, length);
    const int whole = length + decimal.exponent;  // digits before the point
    if (whole > 0) {
        std::memcpy(out, digits, std::size_t(whole));
        out += whole;
        *out++ = '.';
    } else {
        out = writeText(out, "0.");
        std::memset(out, '0', std::size_t(-whole));
        out += -whole;
    }
    const int fraction = length - (whole > 0 ? whole : 0);
    std::memcpy(out, digits + (length - fraction), std::size_t(fraction));
    return out + fraction;
}

}  // namespace

char* writeShortestFloat(char* out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint32_t fraction = bits & ((1u << kMantissaBits) - 1);
    const int biasedExponent = int(bits >> kMantissaBits) & 0xFF;
    if (bits >> 31) *out++ = '-';
    if (biasedExponent == 0xFF) return writeText(out, fraction != 0 ? "nan" : "inf");
    if (biasedExponent == 0 && fraction == 0) return writeText(out, "0");

    const Decimal decimal = shortestDecimal(fraction, biasedExponent);
    const int length = decimalLength(decimal.digits);
    // Float exponents have two digits: "d.ddde+XX"; fixed: digits and zeros, or "0.000ddd".
    const int scientificLength = length + (length > 1 ? 1 : 0) + 4;
    const int fixedLength = decimal.exponent >= 0             ? length + decimal.exponent
                            : length + decimal.exponent > 0 ? length + 1
                                                              : 2 - decimal.exponent;
    if (fixedLength > scientificLength) return writeScientific(out, decimal, length);
    if (decimal.exponent < 0) return writeFixedFraction(out, decimal, length);
    // A whole number: its exact value (below 10^14 here, since fixed was shorter), as printf("%.0f").
    const int shift = biasedExponent - kExponentBias - kMantissaBits;
    const std::uint64_t mantissa = (1u << kMantissaBits) | fraction;
    const std::uint64_t exact = shift >= 0 ? mantissa << shift : mantissa >> -shift;
    return writeDigits(out, exact, decimalLength(exact));
}

bool readFloat(std::string_view text, float& value) {
    const auto digits = [&](std::size_t& at) {
        const std::size_t from = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        return at - from;
    };
    std::size_t at = text.starts_with('-') ? 1 : 0;
    std::size_t count = digits(at);
    if (at < text.size() && text[at] == '.') count += digits(++at);
    if (count == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        if (++at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (digits(at) == 0) return false;
    }
    if (at != text.size()) return false;
    // What is left is decimal text that the C library reads, correctly rounded, on every platform.
    const std::string decimal(text);
    errno = 0;
    const float read = std::strtof(decimal.c_str(), nullptr);
    if (errno == ERANGE && (std::isinf(read) || read == 0)) return false;
    value = read;
    return true;
}

}  // namespace vellix
