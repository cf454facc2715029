#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "data/core/DataModel.h"
#include "ui/core/Graphs.h"
#include "ui/core/RecordingCanvas.h"

using namespace krovel;

namespace {

// A modifiable copy of the default axis ranges.
struct Ranges {
    AxisRange rows[AxisRangeCount] = {DefaultAxisRanges[0], DefaultAxisRanges[1],
                                      DefaultAxisRanges[2], DefaultAxisRanges[3]};
};

// Texts whose box hangs from the given y (the labels under an axis), in drawing order.
std::vector<std::string> LabelsAt(const RecordingCanvas& c, int32_t top) {
    std::vector<std::string> out;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        if (p.box.top == top) out.push_back(p.text);
    return out;
}

std::vector<Primitive> RectanglesOf(const RecordingCanvas& c) {
    return c.ofKind(PrimitiveKind::Rectangle);
}

bool HasLine(const RecordingCanvas& c, CanvasRect line, Rgb colour) {
    for (const Primitive& p : c.ofKind(PrimitiveKind::Line))
        if (p.box == line && p.state.pen.colour == colour) return true;
    return false;
}

void DrawExercise(RecordingCanvas& c, std::vector<float> means, int interval = 0,
                  AxisRange velocity = DefaultAxisRanges[2]) {
    Ranges r;
    r.rows[2] = velocity;
    DrawExerciseGraph(c, ExerciseGraphScreenRect, {means, interval, 0}, r.rows);
}

void FillSeries(int s, float mass, std::initializer_list<int> meanBytes) {
    Series[s].Mass = mass;
    Series[s].RepCount = 0;
    for (int b : meanBytes) Series[s].MeanVelocity[Series[s].RepCount++] = uint8_t(b);
}

} // namespace

TEST(ExerciseGraph, LabelsEveryThirdBarOfTwentyFiveAndEveryBarOfNine) {
    RecordingCanvas c;
    DrawExercise(c, std::vector<float>(25, 1.0f));
    // The plot is moved 150 down: labels hang from Yb + 3 = 220 + 150 + 3.
    EXPECT_EQ(LabelsAt(c, 373),
              (std::vector<std::string>{"1", "4", "7", "10", "13", "16", "19", "22", "25"}));
    // xscale = 600 / 26: bar 4 sits at 60 + trunc(92.3).
    EXPECT_TRUE(HasLine(c, {152, 370, 152, 373}, RgbBlack));
    EXPECT_EQ(RectanglesOf(c).size(), 25u);

    RecordingCanvas nine;
    DrawExercise(nine, std::vector<float>(9, 1.0f));
    EXPECT_EQ(LabelsAt(nine, 373).size(), 9u);
}

TEST(ExerciseGraph, GroupLabelsCoverWholeGroups) {
    RecordingCanvas c;
    DrawExercise(c, {1, 1, 1, 1}, 2);
    EXPECT_EQ(LabelsAt(c, 373), (std::vector<std::string>{"1 - 3", "4 - 6", "7 - 9", "10 - 12"}));
}

TEST(ExerciseGraph, NegativeMinimumDrawsZeroLineAndBarsBothWays) {
    RecordingCanvas c;
    DrawExercise(c, {2.0f, -2.0f}, 0, {-5, 5, 1});
    // yscale = 120 / 10; the zero line lies 60 above Yb = 370.
    EXPECT_TRUE(HasLine(c, {60, 310, 660, 310}, RgbBlack));
    const auto bars = RectanglesOf(c);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars.at(0).box, (CanvasRect{255, 286, 265, 310}));
    EXPECT_EQ(bars.at(0).state.brush.colour, RgbBlue);
    EXPECT_EQ(bars.at(1).box, (CanvasRect{455, 334, 465, 310}));
    EXPECT_EQ(bars.at(1).state.brush.colour, RgbRed);
    EXPECT_EQ(LabelsAt(c, 348), (std::vector<std::string>{"-4"})); // tick -4 at y = 370 - 12
}

TEST(ExerciseGraph, PositiveMinimumGrowsBarsFromTheBottomAndClipsAtTheTop) {
    RecordingCanvas c;
    DrawExercise(c, {3.0f, 9.0f}, 0, {1, 5, 1});
    const auto bars = RectanglesOf(c);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars.at(0).box, (CanvasRect{255, 310, 265, 370}));
    EXPECT_EQ(bars.at(1).box, (CanvasRect{455, 250, 465, 370})); // above the maximum: box top
    // Box, two bar ticks and five value ticks: no zero line.
    EXPECT_EQ(c.ofKind(PrimitiveKind::Line).size(), 3u + 2u + 5u);
}

TEST(ExerciseGraph, WithoutGroupsDrawsBoxTitleAndYAxisOnly) {
    RecordingCanvas c;
    c.setTextColour(RgbRed); // labels under the axis would take the caller's colour
    const CanvasState before = c.state();
    DrawExercise(c, {});
    EXPECT_TRUE(RectanglesOf(c).empty());
    EXPECT_EQ(c.texts().at(0), "REP (No)");
    EXPECT_EQ(c.textsEqual("REP (No)").at(0).state.textColour, RgbRed);
    // Box (3 lines) plus one tick per velocity value 0..10.
    EXPECT_EQ(c.ofKind(PrimitiveKind::Line).size(), 3u + 11u);
    EXPECT_EQ(c.textsEqual("mean v(m/s)").at(0).box, (CanvasRect{20, 225, 100, 240}));
    EXPECT_EQ(c.state(), before);
    EXPECT_EQ(c.saveDepth(), 0);
}

TEST(ExerciseGraph, PrintedVariantOnThePageRectangle) {
    RecordingCanvas c(true);
    Ranges r;
    DrawExerciseGraph(c, PrintedGraphRect, {std::vector<float>{1.0f}, 0, 2}, r.rows);
    // Yb = -1000 + 150; bar 1 at 200 + 700.
    EXPECT_TRUE(HasLine(c, {900, -850, 900, -870}, RgbBlack));
    const auto label = c.textsEqual("1");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label.at(0).box, (CanvasRect{700, -870, 1100, -910}));
    EXPECT_EQ(label.at(0).state.font, CanvasFont::Print);
    EXPECT_EQ(c.textsEqual("max P(W)").size(), 0u);
    EXPECT_EQ(c.textsEqual("mean P(W)").at(0).box, (CanvasRect{0, -190, 400, -230}));
    EXPECT_EQ(c.textsEqual("2000").at(0).box, (CanvasRect{100, -230, 180, -270}));
    EXPECT_EQ(RectanglesOf(c).at(0).box.left, 885);
}

TEST(LiveGraph, AxisTopIsPeakPlusHundredWithItsStep) {
    const auto yLabels = [](float peak) {
        RecordingCanvas c;
        DrawLiveGraph(c, LiveGraphScreenRect, {{}, 0, peak, 90});
        std::vector<std::string> out;
        for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
            if (p.align == TextAlign::Right) out.push_back(p.text);
        return out;
    };
    EXPECT_EQ(yLabels(0), (std::vector<std::string>{"0", "100"}));
    // 0 .. 1100 by 100 in 120 pixels: labels 11 pixels apart would touch, so every
    // other one is left out, and 1000 gives way to the top label.
    EXPECT_EQ(yLabels(1000), (std::vector<std::string>{"0", "200", "400", "600", "800", "1100"}));
    EXPECT_EQ(yLabels(1000.5f),
              (std::vector<std::string>{"0", "200", "400", "600", "800", "1000"}));
    EXPECT_EQ(yLabels(250).at(3), "300"); // top 350, not rounded to 400
}

TEST(LiveGraph, ThresholdLineAndPeakText) {
    RecordingCanvas zero;
    DrawLiveGraph(zero, LiveGraphScreenRect, {{}, 0, 0, 90});
    EXPECT_TRUE(HasLine(zero, {60, 320, 660, 320}, RgbRed));

    RecordingCanvas c;
    DrawLiveGraph(c, LiveGraphScreenRect, {{}, 0, 200.7f, 50});
    // ymax 300, threshold 100.35: 320 - trunc(100.35 x 0.4).
    EXPECT_TRUE(HasLine(c, {60, 280, 660, 280}, RgbRed));
    const auto peak = c.textsEqual("Pmax: 200");
    ASSERT_EQ(peak.size(), 1u);
    EXPECT_EQ(peak.at(0).state.textColour, RgbRed);
    EXPECT_EQ(peak.at(0).box, (CanvasRect{60, 175, 660, 190}));
}

TEST(LiveGraph, LabelsEverySecondRepetitionFromTwenty) {
    RecordingCanvas c;
    const std::vector<float> values(20, 100.0f);
    DrawLiveGraph(c, LiveGraphScreenRect, {values, 20, 100, 90});
    EXPECT_EQ(LabelsAt(c, 323),
              (std::vector<std::string>{"1", "3", "5", "7", "9", "11", "13", "15", "17", "19"}));
    EXPECT_EQ(RectanglesOf(c).size(), 20u);
}

TEST(LiveGraph, BarAtThresholdIsBlueJustBelowIsRed) {
    RecordingCanvas c;
    const float threshold = 200.0f * 90 / 100;
    const std::vector<float> values{threshold, std::nextafter(threshold, 0.0f), 5000.0f};
    DrawLiveGraph(c, LiveGraphScreenRect, {values, 3, 200, 90});
    const auto bars = RectanglesOf(c);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars.at(0).state.brush.colour, RgbBlue);
    EXPECT_EQ(bars.at(1).state.brush.colour, RgbRed);
    // xscale 150; 180 W of 300 at 0.4 per watt; the last bar stops at the top.
    EXPECT_EQ(bars.at(0).box, (CanvasRect{205, 248, 215, 320}));
    EXPECT_EQ(bars.at(2).box.top, 200);
}

class DiagnosticGraphTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDataModel(); }
    RecordingCanvas canvas;
    Ranges ranges;

    std::vector<Primitive> PointsOf(Rgb colour) {
        std::vector<Primitive> out;
        for (const Primitive& p : canvas.ofKind(PrimitiveKind::Ellipse))
            if (p.state.pen.colour == colour) out.push_back(p);
        return out;
    }
};

TEST_F(DiagnosticGraphTest, EqualLoadsShareOnePointOrderedByTheChosenX) {
    FillSeries(0, 40.0f, {50});
    FillSeries(1, 60.0f, {25});
    FillSeries(2, 40.0f, {40});
    DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 0, 2, 3}, ranges.rows, 3);
    auto blue = PointsOf(RgbBlue);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_EQ(blue.at(0).box, (CanvasRect{215, 393, 225, 403})); // 40 kg at 1.0 m/s
    EXPECT_EQ(blue.at(1).box, (CanvasRect{295, 404, 305, 414})); // 60 kg at 0.5 m/s
    EXPECT_TRUE(HasLine(canvas, {220, 398, 300, 409}, RgbBlue));
    EXPECT_EQ(PointsOf(RgbRed).size(), 2u);

    canvas.clear();
    DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 2, 0, 3}, ranges.rows, 3);
    blue = PointsOf(RgbBlue);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_LT(blue.at(0).box.left, blue.at(1).box.left); // slower 60 kg first
    EXPECT_EQ(blue.at(0).box.left, 60 + 30 - 5);
    EXPECT_EQ(canvas.textsEqual("mean v(m/s)").at(0).box, (CanvasRect{60, 438, 660, 453}));
}

TEST_F(DiagnosticGraphTest, MaximumTakesTheFastestRepetitionsPower) {
    FillSeries(0, 100.0f, {20, 50, 0, 30});
    ranges.rows[3] = {0, 2200, 200};
    DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 0, 2, 3}, ranges.rows, 1);
    // 1.0 m/s x 9.81 x 100 kg = 981 W: 420 - trunc(981 x 0.1).
    EXPECT_EQ(PointsOf(RgbRed).at(0).box.top, 322 - 5);

    canvas.clear();
    // Means of 4: the zero velocity is left out, (1.0 + 0.6 + 0.4) / 3.
    DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {3, 0, 2, 3}, ranges.rows, 1);
    EXPECT_EQ(PointsOf(RgbBlue).at(0).box.top, 420 - 14 - 5);
}

TEST_F(DiagnosticGraphTest, AxesTitlesAndStepFallbacks) {
    ranges.rows[3] = {0, 20, 0};
    ranges.rows[2] = {0, 10, -1};
    DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 0, 2, 3}, ranges.rows, 0);
    std::vector<std::string> right, left;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) {
        if (p.align == TextAlign::Left) right.push_back(p.text);
        if (p.align == TextAlign::Right) left.push_back(p.text);
    }
    EXPECT_EQ(right, (std::vector<std::string>{"0", "5", "10", "15", "20"}));
    EXPECT_EQ(left, (std::vector<std::string>{"0", "10"}));
    EXPECT_EQ(canvas.textsEqual("20").at(0).box, (CanvasRect{665, 190, 700, 210}));
    EXPECT_EQ(canvas.textsEqual("20").at(0).state.textColour, RgbRed);
    // "mean P(W)" is 61 pixels wide: its 60-pixel box grows around its centre.
    EXPECT_EQ(canvas.textsEqual("mean P(W)").at(0).box, (CanvasRect{630, 175, 691, 190}));
    EXPECT_EQ(canvas.textsEqual("m (kg)").at(0).box, (CanvasRect{60, 438, 660, 453}));
}

TEST_F(DiagnosticGraphTest, PointsOutsideTheRangesSitOnTheEdges) {
    FillSeries(0, 400.0f, {250}); // 5 m/s, far above the power axis
    ranges.rows[2] = {0, 2, 1};
    RecordingCanvas paper(true);
    DrawDiagnosticGraph(paper, PrintedGraphRect, {0, 0, 2, 3}, ranges.rows, 1);
    for (const Primitive& p : paper.ofKind(PrimitiveKind::Ellipse))
        EXPECT_EQ(p.box, (CanvasRect{1580, -380, 1620, -420}));
    DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 0, 2, 3}, ranges.rows, 1);
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Ellipse))
        EXPECT_EQ(p.box, (CanvasRect{655, 195, 665, 205}));
}

TEST(DegenerateAxes, FlatOrHugeRangesAndBadStepsStillFinish) {
    ResetDataModel();
    FillSeries(0, 50.0f, {50, 40});
    AxisRange flat[AxisRangeCount] = {{10, 10, 0}, {5, 5, -3}, {2, 2, 0}, {7, 7, 1}};
    RecordingCanvas c;
    DrawExerciseGraph(c, ExerciseGraphScreenRect, {std::vector<float>{1, 2}, 0, 0}, flat);
    DrawDiagnosticGraph(c, DiagnosticGraphScreenRect, {0, 0, 2, 3}, flat, 1);
    for (const Primitive& p : c.primitives()) {
        EXPECT_GE(std::min(p.box.top, p.box.bottom), 0);
        EXPECT_LE(std::max(p.box.right, p.box.bottom), 800);
    }
    EXPECT_TRUE(c.textsEqual("10").empty()); // no ticks on a flat axis

    AxisRange huge[AxisRangeCount] = {{INT32_MIN, INT32_MAX, 0},
                                      {INT32_MIN, INT32_MAX, 1},
                                      {-2000000000, 2000000000, 0},
                                      {0, INT32_MAX, 1}};
    RecordingCanvas wide;
    DrawExerciseGraph(wide, ExerciseGraphScreenRect, {std::vector<float>{1}, 0, 0}, huge);
    DrawDiagnosticGraph(wide, DiagnosticGraphScreenRect, {0, 0, 2, 3}, huge, 1);
    EXPECT_LT(wide.ofKind(PrimitiveKind::Text).size(), 5u * 10000u);
    EXPECT_FALSE(wide.textsEqual("2000000000").empty() && wide.textsEqual("-2000000000").empty());
}

TEST(GraphForViewMode, PicksTheGraphAndItsRectangle) {
    Ranges r;
    const std::vector<float> means{1.0f};
    GraphInputs inputs{{}, {means, 0, 0}, {}, 0, r.rows};
    RecordingCanvas none;
    EXPECT_FALSE(DrawGraphForViewMode(none, 2, inputs));
    EXPECT_FALSE(DrawGraphForViewMode(none, 0, inputs));
    EXPECT_TRUE(none.primitives().empty());

    RecordingCanvas screen, paper(true);
    EXPECT_TRUE(DrawGraphForViewMode(screen, 1, inputs));
    EXPECT_EQ(screen.ofKind(PrimitiveKind::Line).at(0).box, (CanvasRect{60, 200, 60, 320}));
    EXPECT_TRUE(DrawGraphForViewMode(paper, 4, inputs));
    EXPECT_EQ(paper.ofKind(PrimitiveKind::Line).at(0).box, (CanvasRect{200, -250, 200, -850}));
}

namespace {

int32_t WidthOf(const Primitive& text) {
    RecordingCanvas measure;
    measure.setFont(text.state.font);
    return measure.textWidth(text.text);
}

// No text box is narrower than its text (nothing is clipped).
void ExpectWhole(const RecordingCanvas& c) {
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        EXPECT_GE(std::abs(p.box.right - p.box.left), WidthOf(p)) << p.text;
}

// Texts of one alignment and colour: the labels of one axis, in drawing order.
std::vector<Primitive> AxisLabels(const RecordingCanvas& c, TextAlign align, Rgb colour) {
    std::vector<Primitive> out;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        if (p.align == align && p.state.textColour == colour) out.push_back(p);
    return out;
}

// Neighbouring labels of a vertical axis stand a character height apart; those of a
// horizontal axis do not touch.
void ExpectApart(const std::vector<Primitive>& labels, bool vertical) {
    for (size_t i = 1; i < labels.size(); ++i) {
        const CanvasRect& a = labels[i - 1].box;
        const CanvasRect& b = labels[i].box;
        if (vertical) {
            EXPECT_GE(std::abs((a.top + a.bottom) - (b.top + b.bottom)) / 2,
                      FontHeight(labels[i].state.font))
                << labels[i - 1].text << " / " << labels[i].text;
        } else {
            const int32_t gap = std::abs((a.left + a.right) - (b.left + b.right)) / 2 -
                                (WidthOf(labels[i - 1]) + WidthOf(labels[i])) / 2;
            EXPECT_GT(gap, 0) << labels[i - 1].text << " / " << labels[i].text;
        }
    }
}

size_t LinesOf(const RecordingCanvas& c, Rgb colour) {
    size_t n = 0;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Line)) n += p.state.pen.colour == colour;
    return n;
}

} // namespace

TEST_F(DiagnosticGraphTest, TitlesAndLabelsAreDrawnWholeOnScreenAndPaper) {
    FillSeries(0, 60.0f, {50});
    ranges.rows[3] = {0, 100000, 20000}; // labels wider than their boxes
    for (const bool printing : {false, true}) {
        RecordingCanvas c(printing);
        const CanvasRect rect = printing ? PrintedGraphRect : DiagnosticGraphScreenRect;
        DrawDiagnosticGraph(c, rect, {0, 0, 2, 3}, ranges.rows, 1);
        DrawExerciseGraph(c, rect, {std::vector<float>{1.0f}, 9, 0}, ranges.rows);
        const std::vector<float> live(100, 2900.0f);
        DrawLiveGraph(c, rect, {live, 100, 2972.0f, 90});
        ExpectWhole(c);

        // The title over the left axis stays centred on it; the wide power labels keep
        // their edge at the right axis.
        const Primitive title = c.textsEqual("mean v(m/s)").at(0);
        EXPECT_LE(std::abs(title.box.left + title.box.right - 2 * rect.left), 1);
        const Primitive wide = c.textsEqual("100000").at(0);
        EXPECT_EQ(wide.box.left, rect.right + (printing ? 20 : 5));
    }
    // On screen "mean v(m/s)" (67 pixels) no longer loses its first and last letters.
    RecordingCanvas screen;
    DrawDiagnosticGraph(screen, DiagnosticGraphScreenRect, {0, 0, 2, 3}, ranges.rows, 1);
    const CanvasRect box = screen.textsEqual("mean v(m/s)").at(0).box;
    EXPECT_EQ(box, (CanvasRect{27, 175, 94, 190}));
}

TEST_F(DiagnosticGraphTest, CrowdedLabelsAreLeftOutButEveryTickStays) {
    ranges.rows[0] = {0, 150, 0};  // mass step 0: a tick for every kilogram
    ranges.rows[3] = {0, 2000, 0}; // power step 0 on Y2: falls back to 5
    for (const bool printing : {false, true}) {
        RecordingCanvas c(printing);
        c.setTextColour(RgbBlack);
        DrawDiagnosticGraph(c, printing ? PrintedGraphRect : DiagnosticGraphScreenRect,
                            {0, 0, 2, 3}, ranges.rows, 0);
        const auto x = AxisLabels(c, TextAlign::Centre, RgbBlack);
        const auto y2 = AxisLabels(c, TextAlign::Left, RgbRed);
        ASSERT_GE(x.size(), 3u); // X labels and the X title
        EXPECT_EQ(x.front().text, "0");
        EXPECT_EQ(x[x.size() - 2].text, "150"); // the last label, before the title
        ExpectApart({x.begin(), x.end() - 1}, false);
        ASSERT_FALSE(y2.empty());
        EXPECT_EQ(y2.front().text, "0");
        EXPECT_EQ(y2.back().text, "2000");
        ExpectApart(y2, true);
        EXPECT_LT(y2.size(), 401u);
        EXPECT_EQ(LinesOf(c, RgbBlack), 3u + 151u); // box and one tick per kilogram
        EXPECT_EQ(LinesOf(c, RgbRed), 401u);        // one tick per 5 W
    }
}

TEST(LiveGraph, PrintedWithThePrintedFontTicksAndLabelBoxes) {
    RecordingCanvas c(true);
    const std::vector<float> values(12, 400.0f);
    DrawLiveGraph(c, PrintedGraphRect, {values, 12, 500.0f, 90});
    const int32_t L = PrintedGraphRect.left, T = PrintedGraphRect.top;
    const int32_t B = PrintedGraphRect.bottom;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text)) {
        EXPECT_EQ(p.state.font, CanvasFont::Print) << p.text;
        // Every text stands outside the plot, clear of the bars.
        const bool inside = std::min(p.box.top, p.box.bottom) < T &&
                            std::max(p.box.top, p.box.bottom) > B && p.box.left > L - 1 &&
                            p.box.right < PrintedGraphRect.right;
        EXPECT_FALSE(inside) << p.text;
    }
    // Repetition 1 sits at L + 1400 / 13 = 307: a 2 mm tick under the axis and its
    // number in the printed label box beneath it.
    EXPECT_TRUE(HasLine(c, {307, B, 307, B - 20}, RgbBlack));
    EXPECT_EQ(c.textsEqual("1").at(0).box, (CanvasRect{107, B - 20, 507, B - 60}));
    EXPECT_EQ(c.textsEqual("REP (no)").at(0).box, (CanvasRect{L, B - 80, 1600, B - 120}));
    EXPECT_EQ(c.textsEqual("P (W)").at(0).box, (CanvasRect{L - 200, T + 60, L + 200, T + 20}));
    EXPECT_EQ(c.textsEqual("600").at(0).box.right, L - 20);
    EXPECT_TRUE(HasLine(c, {L, B, L - 15, B}, RgbBlue));
}
