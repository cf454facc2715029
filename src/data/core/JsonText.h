// Program text as a JSON string, as every JSON text krovel-cli writes takes it.
#pragma once

#include <string>
#include <string_view>

namespace krovel {

// Appends the text quoted and escaped: '"', '\\', line feed, carriage return and tab
// by their short escapes, the other control characters as \u00XX. A byte that is not
// part of UTF-8 (a file name is any bytes) becomes U+FFFD, so the output stays valid
// JSON whatever the text holds.
void AppendJsonString(std::string& out, std::string_view text);

} // namespace krovel
