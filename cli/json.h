#pragma once
// Writing JSON texts for the subcommands' output.

#include <string>
#include <string_view>

namespace cli {

// The UTF-8 text as a JSON string literal, quotes included. Quote, backslash and the control
// characters are escaped; everything else is copied as it is.
std::string JsonString(std::string_view utf8);

// A Shift-JIS text as a JSON string literal (decoded losslessly to UTF-8 first).
std::string JsonSjisString(std::string_view sjis);

}  // namespace cli
