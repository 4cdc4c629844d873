#pragma once

#include <string_view>

namespace vellix {

// The longest text writeShortestFloat writes, "-1.2345678e-38" and the like.
inline constexpr int kMaxFloatText = 15;

// Writes `value` at `out` as the shortest text that reads back as the same float, exactly as
// std::to_chars(out, end, value) does with the GNU C++ library: the fewest significant digits
// that round-trip (the nearest such digits when several do), in fixed notation unless scientific
// ("1e+10", "1.5e-07") is shorter; a whole number in fixed notation is written exactly; "inf",
// "nan", "-0" as such. The same bytes on every platform, including those whose library lacks
// to_chars for floats. Returns the end of the text; the buffer needs kMaxFloatText chars.
char* writeShortestFloat(char* out, float value);

// Reads all of `text` as a float, as std::from_chars reads one in its general form: an optional
// '-', then digits with an optional point and an optional exponent ("12", "-0.5", "1e-3", ".5"),
// rounded to the nearest float. False for anything else (a '+', spaces, hexadecimal, inf or nan)
// and for a value beyond the floats or too small to tell from zero. The same on every platform,
// including those whose library cannot read floats with from_chars.
bool readFloat(std::string_view text, float& value);

}  // namespace vellix
