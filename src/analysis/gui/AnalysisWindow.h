// What the three analysis windows share: a chart with a table beside it, Copy, Export
// CSV, Export PNG and Print, and following the measurement table: whenever what the
// window analyses changes (a live set ended, a file was opened or imported, a
// repetition or series was deleted) the window shows the new data.
#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <string>

#include "analysis/core/AnalysisTables.h"

class QChart;
class QChartView;
class QHBoxLayout;
class QLabel;
class QPrinter;
class QSpinBox;
class QTableWidget;

namespace krovel {

class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    AnalysisWindow(const QString& title, QWidget* parent);

    QChartView* chartView() const { return chartView_; }
    QChart* chart() const;
    QTableWidget* table() const { return table_; }
    QLabel* summary() const { return summary_; }

    // Reads the data again and redraws, whether or not it changed.
    void refreshNow();

    // The table as the user copies it (tab-separated).
    std::string copyText() const;
    // What Export CSV writes: the bytes of the matching `krovel-cli ... --format csv`.
    virtual std::string csvText() const = 0;
    // The chart as a PNG image.
    QByteArray chartPng() const;
    // The chart and the table on one page.
    void printTo(QPrinter& printer);

    // Export CSV and Export PNG: ask for a file through the program's prompts and write
    // it beside the target first, so a failure ("File Save Error") keeps an old file.
    void exportCsv();
    void exportPng();

protected:
    // Rebuilds chart, table and summary from the current data.
    virtual void rebuild() = 0;
    // The rows of the table, numbers with the given decimal separator.
    virtual TextTable tableText(char decimalPoint) const = 0;
    // Changes whenever the data the window shows changes.
    virtual uint64_t dataFingerprint() const;

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
    void followData();
    void print();

    QChartView* chartView_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QHBoxLayout* controls_ = nullptr;
    QTimer followTimer_;
    uint64_t shownFingerprint_ = 0;
    bool built_ = false;
};

// The user's decimal separator, as the program's own numbers show it.
char UserDecimalPoint();

// Shows a tooltip at the mouse while `state` is true, hides it otherwise.
void ShowPointTip(bool state, const QString& text);

} // namespace krovel
