#include "ui/gui/QPainterCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace krovel {

namespace {

constexpr double TenthsOfMillimetrePerInch = 254.0;

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

Qt::PenStyle ToQtPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::None:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// Texts are UTF-8 inside the program; bytes that are not (old files written in a
// single-byte code page) are shown as Latin-1 rather than as replacement marks.
QString DecodeText(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QFont MakeArial(double unitHeight, double painterUnitsPerUnit) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // Qt's pixel size is the em height, which is the character height (without
    // internal leading) that the font heights are given as.
    font.setPixelSize(std::max(1, int(std::lround(unitHeight * painterUnitsPerUnit))));
    return font;
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, Target target)
    : painter_(painter), target_(target), deviceTransform_(painter.worldTransform()) {
    double unitsPerUnitY = 1.0;
    if (target == Target::Paper) {
        const QPaintDevice* device = painter.device();
        const double sx = device->logicalDpiX() / TenthsOfMillimetrePerInch;
        const double sy = device->logicalDpiY() / TenthsOfMillimetrePerInch;
        unitTransform_ = QTransform::fromScale(sx, -sy);
        unitsPerUnitX_ = sx;
        unitsPerUnitY = sy;
    }
    screenFont_ = MakeArial(ScreenFontHeight, unitsPerUnitY);
    printFont_ = MakeArial(PrintFontHeight, unitsPerUnitY);
    painter_.save();
    painter_.setWorldTransform(unitTransform_ * deviceTransform_);
}

QPainterCanvas::~QPainterCanvas() {
    painter_.restore();
}

void QPainterCanvas::applyPenAndBrush() {
    const CanvasState& s = state();
    QPen pen(ToQColor(s.pen.colour));
    pen.setStyle(ToQtPenStyle(s.pen.style));
    pen.setWidthF(std::max(1, s.pen.width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    if (s.brush.hollow)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(ToQColor(s.brush.colour));
}

void QPainterCanvas::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    applyPenAndBrush();
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QPainterCanvas::drawBox(const CanvasRect& box, bool round) {
    applyPenAndBrush();
    const double x0 = std::min(box.left, box.right);
    const double x1 = std::max(box.left, box.right);
    const double y0 = std::min(box.top, box.bottom);
    const double y1 = std::max(box.top, box.bottom);
    // On screen a stroked Qt rectangle is one pixel larger than its size; shrink it
    // so that, as on the platform the drawings were made for, the right and bottom
    // edges fall just inside the given box. At 0.1 mm the difference is invisible.
    const double inset = target_ == Target::Screen ? 1.0 : 0.0;
    const QRectF r(x0, y0, std::max(0.0, x1 - x0 - inset), std::max(0.0, y1 - y0 - inset));
    if (round)
        painter_.drawEllipse(r);
    else
        painter_.drawRect(r);
}

void QPainterCanvas::rectangle(const CanvasRect& box) {
    drawBox(box, false);
}

void QPainterCanvas::ellipse(const CanvasRect& box) {
    drawBox(box, true);
}

int32_t QPainterCanvas::textWidth(std::string_view text) const {
    // Measured for the painter's device, whose resolution sets the font's pixel size.
    const QFont& font = state().font == CanvasFont::Print ? printFont_ : screenFont_;
    const QFontMetricsF metrics(font, painter_.device());
    return static_cast<int32_t>(
        std::ceil(metrics.horizontalAdvance(DecodeText(text)) / unitsPerUnitX_));
}

void QPainterCanvas::text(const CanvasRect& box, std::string_view text, TextAlign align) {
    // Map the box to the painter's own (upright) units and draw there, so text on
    // paper is not mirrored by the upward y axis.
    const QRectF logical(QPointF(std::min(box.left, box.right), std::min(box.top, box.bottom)),
                         QPointF(std::max(box.left, box.right), std::max(box.top, box.bottom)));
    const QRectF area = unitTransform_.mapRect(logical);
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    switch (align) {
    case TextAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case TextAlign::Centre:
        flags |= Qt::AlignHCenter;
        break;
    case TextAlign::Right:
        flags |= Qt::AlignRight;
        break;
    }
    const CanvasState& s = state();
    painter_.save();
    painter_.setWorldTransform(deviceTransform_);
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.setFont(s.font == CanvasFont::Print ? printFont_ : screenFont_);
    painter_.setPen(ToQColor(s.textColour));
    painter_.drawText(area, flags, DecodeText(text));
    painter_.restore();
}

} // namespace krovel
