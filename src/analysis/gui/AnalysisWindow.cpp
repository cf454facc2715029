#include "analysis/gui/AnalysisWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCursor>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <cctype>
#include <clocale>

#include "analysis/core/TableSnapshot.h"
#include "base/core/AtomicFile.h"
#include "base/core/Prompts.h"
#include "base/gui/QtText.h"
#include "ui/gui/SharedPrinter.h"

namespace krovel {

namespace {

// How often a shown window looks whether its data changed; the look itself is a
// fingerprint of the table, well under a millisecond.
constexpr int FollowIntervalMs = 300;

// Asks for a file to export to and writes the bytes; "File Save Error" when that fails.
void ExportThroughPrompts(const char* filter, const char* extension, const std::string& bytes) {
    FileDialogRequest request;
    request.filter = filter;
    request.defaultExtension = extension;
    std::optional<std::string> path = CurrentPrompts().saveFile(request);
    if (!path) return;
    if (!WriteFileAtomically(*path, bytes)) ShowNotice("File Save Error");
}

} // namespace

char UserDecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && point[0] ? point[0] : '.';
}

void ShowPointTip(bool state, const QString& text) {
    if (state)
        QToolTip::showText(QCursor::pos(), text);
    else
        QToolTip::hideText();
}

AnalysisWindow::AnalysisWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(title);
    resize(1000, 600);

    auto* layout = new QVBoxLayout(this);
    controls_ = new QHBoxLayout;
    layout->addLayout(controls_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    chartView_ = new QChartView(new QChart, splitter);
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumWidth(420);
    chartView_->chart()->legend()->setAlignment(Qt::AlignBottom);

    auto* side = new QWidget(splitter);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    summary_ = new QLabel(side);
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sideLayout->addWidget(summary_);
    table_ = new QTableWidget(side);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    sideLayout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* text, auto slot) {
        auto* b = new QPushButton(QString::fromLatin1(text), side);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    addButton("Copy", [this] { QApplication::clipboard()->setText(ToQt(copyText())); });
    addButton("Export CSV", [this] { exportCsv(); });
    addButton("Export PNG", [this] { exportPng(); });
    addButton("Print", [this] { print(); });
    sideLayout->addLayout(buttons);

    splitter->addWidget(chartView_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({580, 420});
    layout->addWidget(splitter, 1);

    followTimer_.setInterval(FollowIntervalMs);
    connect(&followTimer_, &QTimer::timeout, this, &AnalysisWindow::followData);
    followTimer_.start();
}

QChart* AnalysisWindow::chart() const {
    return chartView_->chart();
}

uint64_t AnalysisWindow::dataFingerprint() const {
    return TableFingerprint();
}

void AnalysisWindow::refreshNow() {
    shownFingerprint_ = dataFingerprint();
    built_ = true;
    rebuild();
}

void AnalysisWindow::followData() {
    if (!isVisible()) return;
    if (!built_ || dataFingerprint() != shownFingerprint_) refreshNow();
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followData();
}

QSpinBox* AnalysisWindow::addBestCountBox() {
    controls_->addWidget(new QLabel(QStringLiteral("Best repetitions per load:"), this));
    auto* box = new QSpinBox(this);
    box->setRange(1, MaxRepetitions);
    controls_->addWidget(box);
    connect(box, &QSpinBox::valueChanged, this, [this] { refreshNow(); });
    return box;
}

void AnalysisWindow::showTable() {
    const TextTable text = tableText(UserDecimalPoint());
    table_->clear();
    table_->setColumnCount(static_cast<int>(text.Columns.size()));
    table_->setRowCount(static_cast<int>(text.Rows.size()));
    QStringList titles;
    for (const std::string& c : text.Columns) titles << ToQt(c);
    table_->setHorizontalHeaderLabels(titles);
    for (size_t r = 0; r < text.Rows.size(); ++r) {
        for (size_t c = 0; c < text.Rows[r].size(); ++c) {
            const std::string& cell = text.Rows[r][c];
            auto* item = new QTableWidgetItem(ToQt(cell));
            // Numbers line up on the right, texts on the left.
            const bool number =
                !cell.empty() &&
                (std::isdigit(static_cast<unsigned char>(cell[0])) || cell[0] == '-');
            item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
            table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table_->resizeColumnsToContents();
}

void AnalysisWindow::setNothingToAnalyse(bool nothing, const QString& why) {
    chartView_->setEnabled(!nothing);
    table_->setEnabled(!nothing);
    if (nothing) summary_->setText(why);
}

std::string AnalysisWindow::copyText() const {
    return TabText(tableText(UserDecimalPoint()));
}

QByteArray AnalysisWindow::chartPng() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    chartView_->grab().save(&buffer, "PNG");
    return bytes;
}

void AnalysisWindow::exportCsv() {
    ExportThroughPrompts("CSV Files (*.csv)|*.csv||", ".csv", csvText());
}

void AnalysisWindow::exportPng() {
    const QByteArray png = chartPng();
    ExportThroughPrompts("PNG Images (*.png)|*.png||", ".png", png.toStdString());
}

void AnalysisWindow::printTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page = painter.viewport();
    // The chart over the upper part of the page, drawn as vectors, the summary and the
    // table as plain text below it.
    const QRect chartArea(page.left(), page.top(), page.width(), page.height() * 55 / 100);
    chartView_->render(&painter, chartArea);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(8);
    painter.setFont(font);
    const QString text =
        summary_->text() + "\n\n" + ToQt(AlignedText(tableText(UserDecimalPoint())));
    const QRect textArea(page.left(), chartArea.bottom() + page.height() / 50, page.width(),
                         page.bottom() - chartArea.bottom());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter.end();
}

void AnalysisWindow::print() {
    QPrintDialog dialog(&SharedPrinter(), this);
    if (dialog.exec() == QDialog::Accepted) printTo(SharedPrinter());
}

} // namespace krovel
