#include "data/core/TextFormat.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "base/core/Platform.h"

namespace krovel {

std::string FormatText(const char* format, ...) {
    char small[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(again);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

std::string FormatLocalTime(int64_t seconds, const char* format) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!platform::LocalTime(t, parts)) return {};
    char buf[128];
    size_t n = std::strftime(buf, sizeof buf, format, &parts);
    return std::string(buf, n);
}

int32_t ParseControlInt(const std::string& text) {
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    size_t digitsStart = i;
    int64_t value = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i++] - '0');
        if (value > 2147483648LL) return 0;
    }
    if (i == digitsStart) return 0;
    while (i < n && text[i] == ' ') ++i;
    if (i != n) return 0;
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return 0;
    return static_cast<int32_t>(value);
}

std::optional<float> ScanFloat(const std::string& text) {
    float value = 0;
    if (std::sscanf(text.c_str(), "%f", &value) != 1) return std::nullopt;
    return value;
}

} // namespace krovel
