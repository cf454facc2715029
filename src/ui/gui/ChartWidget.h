// A Chart on screen: drawn through QPainterCanvas at the widget's size, with the
// tooltip of the point or bar under the mouse.
#pragma once

#include <QWidget>

#include "ui/core/Chart.h"

class QPainter;
class QRect;

namespace krovel {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    const Chart& chart() const { return chart_; }
    void setChart(Chart chart);

    // The chart scaled into `area` of a painter on any device (a printer's page): laid
    // out at `logicalWidth` pixels wide, as on a screen, then scaled to the area.
    void renderTo(QPainter& painter, const QRect& area, int logicalWidth) const;

    // The legend's width on one line, in pixels.
    int legendLineWidth() const;
    // The tooltip's text for a point at (x, y) of the widget; empty away from points.
    QString tipAt(int x, int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    template <typename Measure> auto measure(Measure&& use) const;

    Chart chart_;
    QString shownTip_;
};

} // namespace krovel
