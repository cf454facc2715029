// printf-style formatting and number reading that follow the process's numeric
// locale (the user's decimal separator), as every text shown to the user does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace krovel {

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Local-time text of a seconds-since-1970 value with a strftime format;
// empty when the time cannot be converted.
std::string FormatLocalTime(int64_t seconds, const char* format);

// A control's integer: optional blanks, optional sign, decimal digits, optional
// blanks; anything else (or an int32 overflow) yields 0.
int32_t ParseControlInt(const std::string& text);

// The first floating-point number of the text, read as "%f" does (user's locale);
// nothing when the text does not start with a number.
std::optional<float> ScanFloat(const std::string& text);

} // namespace krovel
