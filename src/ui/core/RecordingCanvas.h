// A canvas that draws nothing and remembers every primitive with its coordinates and
// the pen, brush, font and text colour in force, so tests (and the command-line
// tools) can see exactly what a graph drew. It measures text with Arial's character
// widths, so layouts that depend on text width come out as they do on screen.
#pragma once

#include "ui/core/Canvas.h"

#include <string>
#include <vector>

namespace krovel {

enum class PrimitiveKind { Line, Rectangle, Ellipse, Text };

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    // A line runs from (box.left, box.top) to (box.right, box.bottom).
    CanvasRect box;
    CanvasState state;
    std::string text;
    TextAlign align = TextAlign::Left;
};

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(bool printing = false) : printing_(printing) {}

    bool isPrinting() const override { return printing_; }
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void rectangle(const CanvasRect& box) override;
    void ellipse(const CanvasRect& box) override;
    void text(const CanvasRect& box, std::string_view text, TextAlign align) override;
    int32_t textWidth(std::string_view text) const override;

    const std::vector<Primitive>& primitives() const { return primitives_; }
    // Keeps the storage, so a canvas reused for many drawings stops allocating.
    void clear() { primitives_.clear(); }

    std::vector<Primitive> ofKind(PrimitiveKind kind) const;
    // Every text primitive whose text is exactly `text`.
    std::vector<Primitive> textsEqual(std::string_view text) const;
    std::vector<std::string> texts() const;

private:
    void record(PrimitiveKind kind, const CanvasRect& box, std::string_view text = {},
                TextAlign align = TextAlign::Left);

    bool printing_;
    std::vector<Primitive> primitives_;
};

} // namespace krovel
