#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellix::sim {

// Input as an error message shows it: between single quotes, safe for any terminal and short. A
// byte outside printable ASCII is written \xHH (so an escape sequence is not obeyed, and a NUL does
// not end the message), a quote or backslash gets a backslash, and after `limit` bytes of input
// the rest is cut and "..." shows where.
std::string quoted(std::string_view text, std::size_t limit = 40);

}  // namespace vellix::sim
