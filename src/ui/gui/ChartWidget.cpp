#include "ui/gui/ChartWidget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <utility>

#include "ui/gui/QPainterCanvas.h"

namespace krovel {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::setChart(Chart chart) {
    chart_ = std::move(chart);
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Greyed with nothing to show, as the table beside it.
    if (!isEnabled()) painter.setOpacity(0.5);
    painter.fillRect(rect(), Qt::white);
    QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
    DrawChart(canvas, chart_, {0, 0, width(), height()});
}

void ChartWidget::renderTo(QPainter& painter, const QRect& area, int logicalWidth) const {
    const double scale = double(area.width()) / std::max(1, logicalWidth);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    {
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
        DrawChart(canvas, chart_, {0, 0, logicalWidth, int(area.height() / scale)});
    }
    painter.restore();
}

template <typename Measure> auto ChartWidget::measure(Measure&& use) const {
    // Measures as the screen draws, on an image of its own; draws nothing.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
    return use(canvas);
}

int ChartWidget::legendLineWidth() const {
    return measure([this](const Canvas& canvas) { return LegendLineWidth(canvas, chart_); });
}

QString ChartWidget::tipAt(int x, int y) const {
    const ChartLayout layout = measure([this](const Canvas& canvas) {
        return LayOutChart(canvas, chart_, {0, 0, width(), height()});
    });
    const std::optional<ChartHit> hit = HitChart(chart_, layout, x, y);
    if (!hit) return {};
    return QString::fromStdString(chart_.series[hit->series].tips[hit->point]);
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QString tip = tipAt(at.x(), at.y());
    if (tip == shownTip_) return;
    shownTip_ = tip;
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), tip, this);
}

void ChartWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    shownTip_.clear();
    QToolTip::hideText();
}

} // namespace krovel
