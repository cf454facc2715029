// Print, direct print and print preview of the view, with the shared printer writing
// PDF files that pdftotext reads back.
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/core/CommandIds.h"
#include "data/core/SubjectBarSync.h"
#include "support/ViewHarness.h"
#include "support/WhenShown.h"
#include "ui/gui/SharedPrinter.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using testing::PutSeries;
using testing::WhenShown;

// The shared printer writes to a PDF file for one test, and prints natively again after.
class ViewPrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SharedPrinter().setOutputFileName(pdf);
        SharedPrinter().setOutputFormat(QPrinter::PdfFormat);
        PutSeries(0, 12, 50.0f);
        PutSeries(1, 2, 70.0f);
        SeriesCount = 2;
        DataPresent = 1;
        TestHeader.Subject.SubjectName = "Anna";
        h.view().subjectBar().setControlText(IdSubjectName, "Anna");
    }
    void TearDown() override { SharedPrinter().setOutputFileName(QString()); }

    // The text of the printed PDF, empty when none was written.
    QString printedText() const {
        if (!QFile::exists(pdf)) return {};
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    testing::ViewHarness h;
    QTemporaryDir dir;
    QString pdf = dir.filePath("page.pdf");
};

TEST_F(ViewPrintingTest, DirectPrintPutsTheRowsTheTableShowsOnThePage) {
    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    h.choose(IdIntervalCombo, 2); // groups of 3
    ASSERT_EQ(h.table().rowCount(), 4);
    ASSERT_TRUE(h.router.send(cmd::FilePrintDirect));

    const QString page = printedText();
    EXPECT_TRUE(page.contains("Name: Anna")) << page.toStdString();
    EXPECT_TRUE(page.contains("Set No: 1")) << page.toStdString();
    EXPECT_TRUE(page.contains("Load: 50 kg")) << page.toStdString();
    EXPECT_TRUE(page.contains("P max(W)")) << page.toStdString();
    for (int r = 0; r < 4; ++r) {
        const QString first = QString::fromStdString(h.cell(r, 0)).simplified();
        EXPECT_TRUE(page.simplified().contains(first)) << first.toStdString();
    }
    EXPECT_FALSE(page.contains("13- 15")); // 12 rows, only 4 of them with text
}

TEST_F(ViewPrintingTest, PrintGoesThroughTheDialogAndCancelPrintsNothing) {
    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    WhenShown<QPrintDialog>([](QPrintDialog* d) { d->reject(); });
    ASSERT_TRUE(h.router.send(cmd::FilePrint));
    EXPECT_FALSE(QFile::exists(pdf));

    WhenShown<QPrintDialog>([](QPrintDialog* d) { d->accept(); });
    ASSERT_TRUE(h.router.send(cmd::FilePrint));
    const QString page = printedText();
    EXPECT_TRUE(page.contains("REP (No)")) << page.toStdString();
    EXPECT_TRUE(page.contains("mean v(m/s)")) << page.toStdString();
    EXPECT_FALSE(page.contains("Rep No")) << page.toStdString(); // a graph, not the table
}

TEST_F(ViewPrintingTest, PreviewHidesTheBarAndRebuildsItWithItsInitialSelections) {
    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    h.choose(IdSeriesCombo, 1);
    h.choose(IdParamYCombo, 2);
    ASSERT_EQ(h.combo(IdParamYCombo)->currentIndex(), 2);

    bool barWhileOpen = true;
    int pagesRendered = 0;
    WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        barWhileOpen = h.bar() != nullptr;
        if (auto* w = d->findChild<QPrintPreviewWidget*>()) pagesRendered = w->pageCount();
        d->reject();
    });
    ASSERT_TRUE(h.router.send(cmd::FilePrintPreview));
    EXPECT_FALSE(barWhileOpen);
    EXPECT_EQ(pagesRendered, 1);
    ASSERT_NE(h.bar(), nullptr);
    EXPECT_EQ(h.bar()->templateId(), ExerciseBarId);
    EXPECT_EQ(h.combo(IdSeriesCombo)->currentIndex(), 0);
    EXPECT_EQ(h.combo(IdParamYCombo)->currentIndex(), 0);
    EXPECT_FALSE(QFile::exists(pdf)); // the preview prints nothing

    // Where no report is shown, the preview leaves no bar behind.
    ASSERT_TRUE(h.router.send(cmd::ShowOverview));
    WhenShown<QPrintPreviewDialog>([](QPrintPreviewDialog* d) { d->reject(); });
    ASSERT_TRUE(h.router.send(cmd::FilePrintPreview));
    EXPECT_EQ(h.bar(), nullptr);
}

} // namespace
} // namespace krovel
