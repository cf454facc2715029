#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <vector>

#include "ui/core/Graphs.h"
#include "ui/gui/QPainterCanvas.h"

using namespace krovel;

namespace {

QImage WhiteImage(int w, int h, int dotsPerMetre = 3780) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// 10000 dots per metre: one pixel per 0.1 mm, so paper units map one to one.
constexpr int OnePixelPerUnit = 10000;

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}
constexpr QRgb Black = 0x000000, White = 0xFFFFFF, Blue = 0x0000FF, Red = 0xFF0000;

bool AnyInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Pixel(image, x, y) != White) return true;
    return false;
}

} // namespace

TEST(QPainterCanvas, LiveGraphOnScreenInPixels) {
    QImage image = WhiteImage(880, 600);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
        EXPECT_FALSE(canvas.isPrinting());
        const std::vector<float> values{180.0f, 100.0f};
        DrawLiveGraph(canvas, LiveGraphScreenRect, {values, 2, 200, 90});
    }
    EXPECT_EQ(Pixel(image, 60, 260), Black);  // left side of the box
    EXPECT_EQ(Pixel(image, 100, 248), Red);   // threshold 180 W
    EXPECT_EQ(Pixel(image, 260, 300), Blue);  // bar at the threshold
    EXPECT_EQ(Pixel(image, 460, 300), Red);   // bar below it
    EXPECT_EQ(Pixel(image, 255, 300), Black); // bar outline from x - 5 ...
    EXPECT_EQ(Pixel(image, 264, 300), Black); // ... to just inside x + 5
    EXPECT_EQ(Pixel(image, 265, 300), White);
    EXPECT_TRUE(AnyInk(image, QRect(60, 175, 600, 15))); // "Pmax: 200"
}

TEST(QPainterCanvas, PaperUnitsRunUpwardAndTextStaysUpright) {
    QImage image = WhiteImage(1800, 1100, OnePixelPerUnit);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Paper);
        EXPECT_TRUE(canvas.isPrinting());
        DrawExerciseGraph(canvas, PrintedGraphRect, {std::vector<float>{1.0f}, 0, 0},
                          DefaultAxisRanges);
        EXPECT_TRUE(painter.worldTransform().m22() < 0);
    }
    // The plot's bottom is at y = -850, i.e. 85 mm down; the bar of 1 m/s is 60 units high.
    EXPECT_EQ(Pixel(image, 200, 500), Black);
    EXPECT_EQ(Pixel(image, 900, 820), Blue);
    EXPECT_EQ(Pixel(image, 900, 780), White);

    // The same words drawn directly with Qt, upright, in the 30-unit font.
    QImage text = WhiteImage(800, 300, OnePixelPerUnit);
    QImage expected = text;
    {
        QPainter painter(&text);
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Paper);
        canvas.setFont(CanvasFont::Print);
        canvas.text({100, -100, 700, -200}, "REP (No)", TextAlign::Centre);
    }
    {
        QPainter painter(&expected);
        QFont font(QStringLiteral("Arial"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(PrintFontHeight);
        painter.setFont(font);
        painter.drawText(QRect(100, 100, 600, 100), Qt::AlignCenter, QStringLiteral("REP (No)"));
    }
    EXPECT_TRUE(AnyInk(text, QRect(100, 100, 600, 100)));
    EXPECT_EQ(text, expected);
}

TEST(QPainterCanvas, TextIsClippedToItsBoxAndPainterStateComesBack) {
    QImage image = WhiteImage(300, 100);
    QPainter painter(&image);
    painter.setPen(Qt::green);
    {
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
        canvas.setTextColour(RgbBlue);
        canvas.text({50, 40, 90, 60}, "WWWWWWWWWWWWWWWWWWWW", TextAlign::Left);
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_TRUE(painter.worldTransform().isIdentity());
    painter.end();
    EXPECT_TRUE(AnyInk(image, QRect(50, 40, 40, 20)));
    EXPECT_FALSE(AnyInk(image, QRect(90, 0, 210, 100)));
    EXPECT_FALSE(AnyInk(image, QRect(0, 0, 50, 100)));
}
