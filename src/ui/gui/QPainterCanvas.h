// The canvas on a QPainter: pixels on screen, or 0.1 mm with y upward on paper
// (printer and print preview), where text is still drawn upright.
#pragma once

#include "ui/core/Canvas.h"

#include <QFont>
#include <QTransform>

class QPainter;

namespace krovel {

class QPainterCanvas : public Canvas {
public:
    enum class Target {
        Screen, // logical unit = the painter's unit (a pixel), y downward
        Paper,  // logical unit = 0.1 mm, y upward; isPrinting() is true
    };

    // Paper units are derived from the painter device's logical resolution; the
    // origin stays where the painter has it (the printable area's top-left corner
    // for a QPrinter).
    QPainterCanvas(QPainter& painter, Target target);
    // Puts back the painter's transform, pen, brush and font.
    ~QPainterCanvas() override;

    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    bool isPrinting() const override { return target_ == Target::Paper; }
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void rectangle(const CanvasRect& box) override;
    void ellipse(const CanvasRect& box) override;
    void text(const CanvasRect& box, std::string_view text, TextAlign align) override;
    int32_t textWidth(std::string_view text) const override;

private:
    void applyPenAndBrush();
    void drawBox(const CanvasRect& box, bool round);

    QPainter& painter_;
    Target target_;
    QTransform deviceTransform_; // the painter's own transform, restored at the end
    QTransform unitTransform_;   // logical units to the painter's own units
    double unitsPerUnitX_ = 1.0; // painter units per logical unit across
    QFont screenFont_;
    QFont printFont_;
};

} // namespace krovel
