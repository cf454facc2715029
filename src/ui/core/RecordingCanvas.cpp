#include "ui/core/RecordingCanvas.h"

namespace krovel {

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
