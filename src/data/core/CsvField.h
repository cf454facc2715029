// One field of a comma-separated file (RFC 4180), as every CSV the program and
// krovel-cli write takes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace krovel {

// The text as one field: quoted when it holds a comma, a quote or a line break. A text
// a spreadsheet would run as a formula (one starting with "=", "+", "-", "@", a tab or a
// carriage return that is not entirely a number, such as "-0.012") is kept a text by a
// leading "'". A NUL becomes U+FFFD.
std::string CsvField(std::string_view text);

// One line of such a file: the cells as fields, separated by commas, ended by CRLF.
std::string CsvRow(const std::vector<std::string>& cells);

} // namespace krovel
