#include "measure/gui/CTarnList.h"

#include <QHeaderView>

#include <algorithm>
#include <set>

#include "base/gui/QtText.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/core/RepetitionValues.h"

namespace krovel {

namespace {

Qt::Alignment AlignmentOf(CellAlign align) {
    switch (align) {
    case CellAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case CellAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case CellAlign::Right:
        break;
    }
    return Qt::AlignRight | Qt::AlignVCenter;
}

} // namespace

CTarnList::CTarnList(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("control%1").arg(ControlId));
    setProperty("controlId", ControlId);
    setFrameShape(QFrame::StyledPanel); // the border of the list control
    setFocusPolicy(Qt::StrongFocus);    // a tab stop
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    // Rows as tight as a classic report list: the text and a small margin.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
}

void CTarnList::ResetRepTable() {
    setRowCount(0);
    setColumnCount(0);
}

void CTarnList::InsertColumns() {
    // Setting the count keeps a second call from doubling the columns.
    setColumnCount(RepColumnCount);
    for (int c = 0; c < RepColumnCount; ++c) {
        auto* header = new QTableWidgetItem(QString::fromLatin1(RepColumns[c].Title));
        header->setTextAlignment(AlignmentOf(RepColumns[c].Align));
        setHorizontalHeaderItem(c, header);
        setColumnWidth(c, RepColumns[c].Width);
    }
}

void CTarnList::InsertRepColumns() {
    LiveMeasurement.RowPeakPower = 0;
    InsertColumns();
}

void CTarnList::SetRow(int row, const RepRowText& cells) {
    for (int c = 0; c < RepColumnCount && c < columnCount(); ++c) {
        auto* item = new QTableWidgetItem(ToQt(cells[c]));
        item->setTextAlignment(AlignmentOf(RepColumns[c].Align));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(row, c, item);
    }
}

void CTarnList::AddLiveRow(int32_t rep, int32_t series) {
    // Rows come in order; a row past the end goes to the end.
    const int row = std::clamp<int>(rep, 0, rowCount());
    insertRow(row);
    SetRow(row, LiveRowCells(series, rep));
}

void CTarnList::FillDigitalReport(int32_t series, int32_t intervalIndex) {
    InsertColumns();
    const std::vector<RepRowText> rows = SeriesShowable(series)
                                             ? DigitalReportRows(series, intervalIndex)
                                             : std::vector<RepRowText>();
    setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) SetRow(static_cast<int>(r), rows[r]);
}

int CTarnList::SelectedRowCount() const {
    return static_cast<int>(selectionModel()->selectedRows().size());
}

int CTarnList::FirstSelectedRow() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first;
}

std::vector<RepRowText> CTarnList::rowTexts() const {
    std::vector<RepRowText> rows(rowCount());
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < RepColumnCount && c < columnCount(); ++c) {
            if (const QTableWidgetItem* cell = item(r, c)) rows[r][c] = FromQt(cell->text());
        }
    }
    return rows;
}

} // namespace krovel
