// Print, direct print and print preview of the view, with the shared printer writing
// PDF files that pdftotext reads back.
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "base/core/CommandIds.h"
#include "base/io/PluginLibrary.h"
#include "data/core/SubjectBarSync.h"
#include "support/LogCapture.h"
#include "support/ViewHarness.h"
#include "support/WhenShown.h"
#include "ui/gui/PrintedPageRender.h"
#include "ui/gui/Printing.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using testing::PutSeries;
using testing::WhenShown;

// The print plugin's printer, which print, preview and page setup share.
QPrinter& SharedPrinter() {
    return LoadPrintService()->printer();
}

// The shared printer writes to a PDF file for one test, and prints natively again after.
class ViewPrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_NE(LoadPrintService(), nullptr);
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

    // The text of a printed PDF, empty when none was written.
    static QString PdfText(const QString& file, const QString& mode = "-layout") {
        if (!QFile::exists(file)) return {};
        QProcess p;
        p.start("pdftotext", {mode, file, "-"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    QString printedText() const { return PdfText(pdf); }

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

TEST_F(ViewPrintingTest, ATableWithoutSeriesPrintsNoSeries) {
    // What a loaded file with no series leaves: old entries beyond SeriesCount.
    SeriesCount = 0;
    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    EXPECT_EQ(h.table().rowCount(), 0);
    ASSERT_TRUE(h.router.send(cmd::FilePrintDirect));
    const QString page = printedText();
    EXPECT_TRUE(page.contains("Rep No")) << page.toStdString();
    EXPECT_FALSE(page.contains("Load:")) << page.toStdString();

    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    EXPECT_EQ(GraphView.GroupMeanValues.Count, 0);
}

TEST_F(ViewPrintingTest, PreviewHidesTheBarAndRebuildsItWithTheViewsSelections) {
    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    h.choose(IdSeriesCombo, 1);
    h.choose(IdIntervalCombo, 1);
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
    EXPECT_EQ(h.combo(IdSeriesCombo)->currentIndex(), 1);
    EXPECT_EQ(h.combo(IdIntervalCombo)->currentIndex(), 1);
    EXPECT_EQ(h.combo(IdParamYCombo)->currentIndex(), 2);
    EXPECT_FALSE(QFile::exists(pdf)); // the preview prints nothing

    // Where no report is shown, the preview leaves no bar behind.
    ASSERT_TRUE(h.router.send(cmd::ShowOverview));
    WhenShown<QPrintPreviewDialog>([](QPrintPreviewDialog* d) { d->reject(); });
    ASSERT_TRUE(h.router.send(cmd::FilePrintPreview));
    EXPECT_EQ(h.bar(), nullptr);
}

TEST_F(ViewPrintingTest, WithoutThePluginPrintingSaysWhyAndLeavesTheView) {
    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    for (int command : {cmd::FilePrint, cmd::FilePrintDirect, cmd::FilePrintPreview}) {
        testing::LogCapture log;
        SetPluginFolder(QStringLiteral("/nonexistent/krovel-plugins"));
        const bool sent = h.router.send(command);
        SetPluginFolder({});
        EXPECT_TRUE(sent) << command;
        const auto messages = log.of("krovel.print");
        ASSERT_EQ(messages.size(), 1u) << command;
        EXPECT_EQ(messages[0].type, QtWarningMsg);
        EXPECT_NE(messages[0].text.find("/nonexistent/krovel-plugins/krovel-print.so"),
                  std::string::npos)
            << messages[0].text;
        EXPECT_NE(h.bar(), nullptr) << command; // no preview hid it
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

// The repetition numbers that start the table rows of a printed report, in page order.
std::vector<int> RowNumbers(const QString& text) {
    std::vector<int> numbers;
    static const QRegularExpression row(QStringLiteral("^\\s*(\\d+)-\\s*\\d+\\s"),
                                        QRegularExpression::MultilineOption);
    for (auto it = row.globalMatch(text); it.hasNext();)
        numbers.push_back(it.next().captured(1).toInt());
    return numbers;
}

TEST_F(ViewPrintingTest, LongTablePreviewsEveryPageAndPrintsFromTheKeyboard) {
    PutSeries(0, 100, 50.0f);
    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    ASSERT_EQ(h.table().rowCount(), 100);

    int landscapePages = 0, portraitPages = 0;
    bool turned = false, stayedOpen = false;
    WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([d] { return d->isActiveWindow(); }));
        auto* w = d->findChild<QPrintPreviewWidget*>();
        landscapePages = w->pageCount();
        QTest::keyClick(d, Qt::Key_P, Qt::AltModifier);
        turned = SharedPrinter().pageLayout().orientation() == QPageLayout::Portrait;
        portraitPages = w->pageCount();
        QTest::keyClick(d, Qt::Key_L, Qt::AltModifier);
        WhenShown<QPrintDialog>([](QPrintDialog* p) { p->accept(); });
        QTest::keyClick(d, Qt::Key_P, Qt::ControlModifier);
        stayedOpen = d->isVisible();
        if (stayedOpen) d->reject();
    });
    ASSERT_TRUE(h.router.send(cmd::FilePrintPreview));
    // Simulated key releases leave their modifier as the application's key state; a
    // bare release clears it, so later clicks in other tests are not Ctrl+clicks.
    QTest::keyRelease(&h.view().frame(), Qt::Key_Control);
    EXPECT_EQ(landscapePages, 6); // 19 rows a page within 10 mm margins
    EXPECT_TRUE(turned);
    EXPECT_EQ(portraitPages, 4);
    EXPECT_EQ(SharedPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(stayedOpen);

    // Ctrl+P in the preview printed every page: each row once, every page numbered.
    const QString text = printedText();
    std::vector<int> expected(100);
    for (int r = 0; r < 100; ++r) expected[r] = r + 1;
    EXPECT_EQ(RowNumbers(text), expected);
    for (int p = 1; p <= 6; ++p)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 6").arg(p))) << p;
}

// The page size and the top-left corner of the first word `word`, in points, as
// pdftotext -bbox gives them; empty when the word is not there.
std::vector<double> WordPlace(const QString& bbox, const QString& word) {
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpression box(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>") +
        QRegularExpression::escape(word) + "<");
    const QRegularExpressionMatch p = page.match(bbox), b = box.match(bbox);
    if (!p.hasMatch() || !b.hasMatch()) return {};
    return {p.captured(1).toDouble(), p.captured(2).toDouble(), b.captured(1).toDouble(),
            b.captured(2).toDouble()};
}

TEST_F(ViewPrintingTest, WindowAndCommandLinePutThePagesInTheSamePlace) {
    PutSeries(0, 100, 50.0f);
    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    ASSERT_TRUE(h.router.send(cmd::FilePrintDirect));
    const QString cliPdf = dir.filePath("cli.pdf");
    ASSERT_TRUE(WritePrintedPagePdf(cliPdf.toStdString(), 2, h.view().repTable().rowTexts()));

    const QString window = PdfText(pdf, "-bbox"), cli = PdfText(cliPdf, "-bbox");
    for (const QString word : {"Name:", "Rep", "Weight", "1-"}) {
        const std::vector<double> a = WordPlace(window, word), b = WordPlace(cli, word);
        ASSERT_EQ(a.size(), 4u) << word.toStdString();
        ASSERT_EQ(b.size(), 4u) << word.toStdString();
        // The same to a tenth of a point (the two files differ only in resolution).
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(a[k], b[k], 0.1) << word.toStdString() << k;
    }
    // Both hold the same six pages.
    EXPECT_EQ(PdfText(cliPdf), printedText());
    // 10 mm (28.3 points) from the page's left edge, not the 3.5 mm of a bare PDF printer.
    EXPECT_NEAR(WordPlace(cli, "Name:")[2], 28.3, 1.0);
}

} // namespace
} // namespace krovel
