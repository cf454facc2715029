#include "ui/gui/CKrovelDeviceView.h"

#include <QPainter>

#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "data/core/SubjectBarSync.h"
#include "device/core/HandOver.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/gui/CTarnList.h"
#include "ui/core/ViewState.h"
#include "ui/gui/CKrovelDeviceDoc.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/CYaxesDlg.h"
#include "ui/gui/QPainterCanvas.h"
#include "ui/gui/SubjectBar.h"
#include "ui/gui/ViewPrinting.h"

namespace krovel {

CKrovelDeviceView::CKrovelDeviceView(CMainFrame& frame)
    : QWidget(&frame), frame_(frame), subjectBar_(new SubjectBar(this)),
      repTable_(new CTarnList(this)) {
    // Esc and later keys reach the view only with the focus.
    setFocusPolicy(Qt::StrongFocus);
    subjectBar_->move(0, 0);
    ConnectFormToRouter(*subjectBar_, router());
    // The table is out of sight until a live series or the digital report needs it.
    placeRepTable(0, 0, 0, 0);

    router().setHandler(cmd::ShowOverview, this, [this] { ShowOverview(); });
    registerLiveCommands();
    registerReportCommands();
    RegisterAxesSetupCommand(*this);
    RegisterPrintCommands(*this);
}

CKrovelDeviceDoc& CKrovelDeviceView::document() const {
    return frame_.document();
}
CommandRouter& CKrovelDeviceView::router() const {
    return frame_.router();
}

void CKrovelDeviceView::ShowOverview() {
    StoreFinished(LiveMeasurement.LiveRequest, 1);
    ViewMode = ViewModeNone;
    CurrentSeries = SeriesCount - 1;
    frame_.HideModeBar();
    repTable_->ResetRepTable();
    placeRepTable(0, 0, 0, 0);
    Repaint();
}

void CKrovelDeviceView::showTestFields() {
    static const int fields[] = {IdBarbellWeightLabel, IdSignalBelowLabel, IdSetNoLabel,
                                 IdSignalBelowPercent, IdSignalAboveLabel, IdSignalAbovePercent,
                                 IdBarbellUnit,        IdBarbellWeight,    IdSetNo,
                                 IdSignalBelow,        IdSignalAbove};
    for (int id : fields) {
        if (QWidget* control = subjectBar_->control(id)) control->setVisible(true);
    }
}

void CKrovelDeviceView::placeRepTable(int x, int y, int w, int h) {
    repTable_->setGeometry(x, y, w, h);
    repTable_->setVisible(w > 0 && h > 0);
}

void CKrovelDeviceView::Repaint() {
    update();
    repaint();
}

void CKrovelDeviceView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The SubjectBar keeps its template size at the top-left corner.
    subjectBar_->move(0, 0);
}

void CKrovelDeviceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The view draws on white (the SubjectBar keeps the controls' face colour).
    painter.fillRect(rect(), Qt::white);
    paintView(painter);
}

void CKrovelDeviceView::paintView(QPainter& painter) {
    // The bar shows the current series, and the header holds what the bar shows.
    WriteSubjectBar(*subjectBar_);
    ReadSubjectBar(*subjectBar_);

    // The graph of the view mode (live, exercise, diagnostic); other modes draw none.
    QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
    DrawGraphForViewMode(canvas, ViewMode, CurrentGraphInputs());

    if (DataPresent)
        document().setTitle(QString::fromLatin1(DataTitlePrefix) + ToQt(FileName) +
                            ToQt(FileTimeText));
}

} // namespace krovel
