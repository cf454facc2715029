// The repetition table (RepTable) of the main view: one row per live repetition while a
// set is measured, one row per repetition or group in the digital report. A plain
// report list: no sorting, no editing, full-row and multiple selection. All content is
// put in by the operations below; the cell texts come from measure/core/RepTableText.h.
#pragma once

#include <QTableWidget>

#include <cstdint>
#include <vector>

#include "measure/core/RepTableText.h"

namespace krovel {

class CTarnList : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int ControlId = 32774;

    explicit CTarnList(QWidget* parent = nullptr);

    // All rows, then all columns: the table is empty.
    void ResetRepTable();
    // A new live series: RowPeakPower = 0, then the eight columns.
    void InsertRepColumns();
    // Live row `rep` with the cells of repetition `rep` of `series`.
    void AddLiveRow(int32_t rep, int32_t series);
    // The eight columns and one row per group of intervalIndex + 1 repetitions.
    void FillDigitalReport(int32_t series, int32_t intervalIndex);

    // Selected rows: how many, and the lowest selected index (-1 when none).
    int SelectedRowCount() const;
    int FirstSelectedRow() const;

    // The rows as they are shown (export and printed report).
    std::vector<RepRowText> rowTexts() const;

private:
    void InsertColumns();
    void SetRow(int row, const RepRowText& cells);
};

} // namespace krovel
