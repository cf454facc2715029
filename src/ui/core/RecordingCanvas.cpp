#include "ui/core/RecordingCanvas.h"

#include <array>

namespace krovel {

namespace {

// Advance widths of Arial's printable ASCII characters (space to '~') in thousandths
// of the character height.
constexpr std::array<int16_t, 95> ArialWidths{
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' '..'/'
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // '0'..'?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // '@'..'O'
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // 'P'..'_'
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // '`'..'o'
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};     // 'p'..'~'

// Characters outside printable ASCII count as a digit; UTF-8 continuation bytes add
// nothing, so a multi-byte character counts once.
int32_t ArialWidth(unsigned char c) {
    if (c >= 0x20 && c <= 0x7E) return ArialWidths[c - 0x20];
    return (c & 0xC0) == 0x80 ? 0 : 556;
}

} // namespace

void RecordingCanvas::record(PrimitiveKind kind, const CanvasRect& box, std::string_view text,
                             TextAlign align) {
    Primitive& p = primitives_.emplace_back();
    p.kind = kind;
    p.box = box;
    p.state = state();
    p.text.assign(text);
    p.align = align;
}

void RecordingCanvas::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    record(PrimitiveKind::Line, {x1, y1, x2, y2});
}

void RecordingCanvas::rectangle(const CanvasRect& box) {
    record(PrimitiveKind::Rectangle, box);
}

void RecordingCanvas::ellipse(const CanvasRect& box) {
    record(PrimitiveKind::Ellipse, box);
}

void RecordingCanvas::text(const CanvasRect& box, std::string_view text, TextAlign align) {
    record(PrimitiveKind::Text, box, text, align);
}

int32_t RecordingCanvas::textWidth(std::string_view text) const {
    int64_t thousandths = 0;
    for (const char c : text) thousandths += ArialWidth(static_cast<unsigned char>(c));
    const int64_t height = FontHeight(state().font);
    return static_cast<int32_t>((thousandths * height + 999) / 1000);
}

std::vector<Primitive> RecordingCanvas::ofKind(PrimitiveKind kind) const {
    std::vector<Primitive> found;
    for (const Primitive& p : primitives_)
        if (p.kind == kind) found.push_back(p);
    return found;
}

std::vector<Primitive> RecordingCanvas::textsEqual(std::string_view text) const {
    std::vector<Primitive> found;
    for (const Primitive& p : primitives_)
        if (p.kind == PrimitiveKind::Text && p.text == text) found.push_back(p);
    return found;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> found;
    for (const Primitive& p : primitives_)
        if (p.kind == PrimitiveKind::Text) found.push_back(p.text);
    return found;
}

} // namespace krovel
