#include "data/core/XmlText.h"

#include <cstdint>

#include "data/core/Unicode.h"

namespace krovel {

namespace {

// U+FFFE and U+FFFF are not XML characters, though well-formed UTF-8.
bool IsNonCharacter(std::string_view text, size_t i, size_t length) {
    return length == 3 && static_cast<uint8_t>(text[i]) == 0xEF &&
           static_cast<uint8_t>(text[i + 1]) == 0xBF && static_cast<uint8_t>(text[i + 2]) >= 0xBE;
}

} // namespace

std::string EscapeXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            ++i;
            continue;
        case '<':
            out += "&lt;";
            ++i;
            continue;
        case '>':
            out += "&gt;";
            ++i;
            continue;
        case '"':
            out += "&quot;";
            ++i;
            continue;
        case '\'':
            out += "&apos;";
            ++i;
            continue;
        case '\t':
        case '\n':
        case '\r':
            out += c;
            ++i;
            continue;
        default:
            break;
        }
        if (static_cast<uint8_t>(c) < 0x20) {
            AppendUtf8(out, ReplacementCharacter);
            ++i;
            continue;
        }
        const size_t length = Utf8SequenceLength(text, i);
        i +=
            AppendSequenceOrReplacement(out, text, i, IsNonCharacter(text, i, length) ? 0 : length);
    }
    return out;
}

} // namespace krovel
