// What the three analysis windows share: a chart with a table beside it, Copy, Export
// CSV, Export PNG and Print, and following the measurement table: whenever what the
// window analyses changes (a live set ended, a file was opened or imported, a
// repetition or series was deleted) the window shows the new data.
#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "analysis/core/AnalysisTables.h"
#include "analysis/gui/ExerciseChoice.h"
#include "ui/core/Chart.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPainter;
class QSpinBox;
class QSplitter;
class QTableWidget;

namespace krovel {

class ChartWidget;

class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    AnalysisWindow(const QString& title, QWidget* parent);

    ChartWidget* chartView() const { return chartView_; }
    // What the chart shows: title, axes, series and legend.
    const Chart& chart() const;
    QTableWidget* table() const { return table_; }
    QLabel* summary() const { return summary_; }
    // The line above the chart that says whose data it is: athlete, session, file.
    QLabel* subjectLabel() const { return subjectLabel_; }
    // The athlete and exercise choices on the row above the controls. Choosing an
    // athlete goes through the switcher (the main window's subject selection, with its
    // question); without one the list only shows. The exercise goes into the session.
    QComboBox* athleteBox() const { return athleteBox_; }
    QComboBox* exerciseBox() const { return exerciseBox_; }
    void setSubjectSwitcher(SubjectSwitcher switcher) { switcher_ = std::move(switcher); }

    // Reads the data again and redraws, whether or not it changed.
    void refreshNow();

    // The table as the user copies it (tab-separated).
    std::string copyText() const;
    // What Export CSV writes: the bytes of the matching `krovel-cli ... --format csv`.
    virtual std::string csvText() const = 0;
    // The line above the chart with the date of printing or export after it: what a
    // page or image carries so it can be told from another athlete's or day's.
    QString pageHeading(const QString& madeWhat) const;
    // The chart as a PNG image under its heading (also kept as the image's description).
    QByteArray chartPng() const;
    // The chart and the table on one page, with a painter begun on the printer.
    void printTo(QPainter& painter);

    // Export CSV and Export PNG: ask for a file through the program's prompts and write
    // it beside the target first, so a failure ("File Save Error") keeps an old file.
    void exportCsv();
    void exportPng();

protected:
    // Rebuilds chart, table and summary from the current data.
    virtual void rebuild() = 0;
    // Shows the chart with room for its legend, so that no entry is cut short.
    void showChart(Chart chart);
    // The rows of the table, numbers with the given decimal separator.
    virtual TextTable tableText(char decimalPoint) const = 0;
    // Changes whenever the data the window shows changes.
    virtual uint64_t dataFingerprint() const;
    // Athlete, session date and file of the data shown, for the line above the chart.
    virtual QString subjectLine() const;

    // Row of controls above the chart, for the window's own settings.
    QHBoxLayout* controls() const { return controls_; }
    // Adds "Best repetitions per load" (1..100) to the controls; a change redraws.
    QSpinBox* addBestCountBox();
    // Fills the table from tableText() with the user's decimal separator.
    void showTable();
    // With nothing to analyse, the chart and table are greyed and the summary says why.
    void setNothingToAnalyse(bool nothing, const QString& why);

    void showEvent(QShowEvent* event) override;

private:
    // The steps of building the window.
    QHBoxLayout* makeChoiceRow();
    QWidget* makeSidePane(QSplitter* splitter);

    void followData();
    // Fills the athlete and exercise choices from the registry and the TestHeader.
    void showChoices();
    void chooseAthlete(int index);
    void chooseExercise();
    // Current subject's folder name and exercise: a change refills the choices.
    std::string choicesKey() const;
    void print();
    // Widens the window once, when first shown, so the table's columns fit beside the
    // chart, within the screen.
    void fitTable();

    ChartWidget* chartView_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* subjectLabel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QHBoxLayout* controls_ = nullptr;
    QComboBox* athleteBox_ = nullptr;
    QComboBox* exerciseBox_ = nullptr;
    SubjectSwitcher switcher_;
    std::string shownChoicesKey_;
    std::string listedFolder_;
    bool exercisesListed_ = false;
    QTimer followTimer_;
    uint64_t shownFingerprint_ = 0;
    bool built_ = false;
    bool fitted_ = false;
};

// Longest text from the data (exercise, athlete, file) a chart shows as a title, legend
// entry or axis label, in characters. Laying out a text of tens of thousands of
// characters in a chart takes seconds and gigabytes; table and tooltips keep it whole.
inline constexpr int MaxChartTextLength = 80;

// The text on one line, cut to MaxChartTextLength characters ending in "…" when
// longer.
QString ChartText(std::string_view utf8);

// "Name: value" after "Name: value", each value bounded by ChartText, "-" when empty.
QString SubjectLineText(std::initializer_list<std::pair<const char*, std::string_view>> fields);

// The user's decimal separator, as the program's own numbers show it.
char UserDecimalPoint();

} // namespace krovel
