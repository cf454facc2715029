// The 2D drawing surface the graphs are written against: pens, brushes, two fonts,
// a text colour, lines, rectangles, ellipses and single-line text in a box.
// Coordinates are logical integer units: pixels with y downward on screen, 0.1 mm
// with y upward on paper (page positions then have negative y). Implementations
// map them to their device; the graphs never know which one they draw on.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace krovel {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb RgbBlack{0, 0, 0};
inline constexpr Rgb RgbWhite{255, 255, 255};
inline constexpr Rgb RgbBlue{0, 0, 255};
inline constexpr Rgb RgbRed{255, 0, 0};

enum class PenStyle { Solid, Dash, Dot, None };

struct Pen {
    Rgb colour;
    int32_t width = 1; // logical units
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    Rgb colour = RgbWhite;
    bool hollow = false; // a hollow brush leaves shapes unfilled
    friend bool operator==(const Brush&, const Brush&) = default;
};

// The view's two fonts, both "Arial" at normal weight; the number is the character
// height in logical units (12 pixels on screen, 30 x 0.1 mm = 3 mm on paper).
enum class CanvasFont { Screen, Print };
inline constexpr int32_t ScreenFontHeight = 12;
inline constexpr int32_t PrintFontHeight = 30;
constexpr int32_t FontHeight(CanvasFont font) {
    return font == CanvasFont::Print ? PrintFontHeight : ScreenFontHeight;
}

enum class TextAlign { Left, Centre, Right };

// (left, top, right, bottom) as the caller writes it; on paper top > bottom.
struct CanvasRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

// What save() keeps and restore() puts back.
struct CanvasState {
    Pen pen;     // black, solid, width 1
    Brush brush; // white
    CanvasFont font = CanvasFont::Screen;
    Rgb textColour; // black
    friend bool operator==(const CanvasState&, const CanvasState&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // True for a printer and for print preview: the graphs then draw their printed
    // variants (fonts, tick lengths, label boxes).
    virtual bool isPrinting() const = 0;

    void setPen(const Pen& pen) { state_.pen = pen; }
    void setBrush(const Brush& brush) { state_.brush = brush; }
    void setFont(CanvasFont font) { state_.font = font; }
    void setTextColour(Rgb colour) { state_.textColour = colour; }
    const CanvasState& state() const { return state_; }

    // Nested saves are kept on a small fixed stack; a restore without a matching
    // save leaves the state alone.
    void save();
    void restore();
    int saveDepth() const { return depth_; }

    // A line with the current pen.
    virtual void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    // Outlined with the current pen, filled with the current brush. As on the
    // platform this mimics, the right and bottom edges lie just inside the box.
    virtual void rectangle(const CanvasRect& box) = 0;
    virtual void ellipse(const CanvasRect& box) = 0;
    // One line of text in the current font and text colour, vertically centred,
    // aligned as asked and clipped to the box.
    virtual void text(const CanvasRect& box, std::string_view text, TextAlign align) = 0;
    // The width the text takes in the current font, in logical units (rounded up).
    virtual int32_t textWidth(std::string_view text) const = 0;

private:
    static constexpr int MaxSaveDepth = 16;
    CanvasState state_;
    std::array<CanvasState, MaxSaveDepth> saved_{};
    int depth_ = 0;
};

} // namespace krovel
