#include "analysis/gui/AnalysisWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <clocale>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/TableSnapshot.h"
#include "analysis/gui/ProgressWindow.h"
#include "base/core/AtomicFile.h"
#include "base/core/Prompts.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "quorl/gui/QuorlDialogs.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/ChartWidget.h"
#include "ui/gui/Printing.h"

namespace krovel {

namespace {

// How often a shown window looks whether its data changed; the look itself is a
// fingerprint of the table, well under a millisecond.
constexpr int FollowIntervalMs = 300;

// The chart's share of a window: what it gets when the window opens, and the least it
// keeps when the table needs the rest.
constexpr int ChartWidth = 580;
constexpr int ChartMinimumWidth = 420;
constexpr int ChartWidestMinimum = 900;
// The chart's margins either side of its legend.
constexpr int LegendMargin = 40;
constexpr int WindowWidth = 1000;
// Widest a table column opens with: a long exercise text is shown cut there (the cell
// keeps it whole) instead of pushing the other columns out of sight.
constexpr int MaxColumnCharacters = 40;

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

QString ChartText(std::string_view utf8) {
    // Only the beginning is converted: enough bytes for MaxChartTextLength characters of
    // up to four bytes each, with room for whitespace that simplified() folds away.
    constexpr size_t prefixBytes = 16 * MaxChartTextLength;
    const bool longer = utf8.size() > prefixBytes;
    const QString text =
        QString::fromUtf8(utf8.data(), qsizetype(std::min(utf8.size(), prefixBytes))).simplified();
    if (!longer && text.size() <= MaxChartTextLength) return text;
    qsizetype keep = std::min<qsizetype>(text.size(), MaxChartTextLength - 1);
    if (keep > 0 && text.at(keep - 1).isHighSurrogate()) --keep;
    return text.left(keep) + QChar(0x2026);
}

QString SubjectLineText(std::initializer_list<std::pair<const char*, std::string_view>> fields) {
    QStringList parts;
    for (const auto& [name, value] : fields)
        parts << QLatin1String(name) + QStringLiteral(": ") +
                     (value.empty() ? QStringLiteral("-") : ChartText(value));
    return parts.join(QStringLiteral("    "));
}

AnalysisWindow::AnalysisWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(title);
    resize(WindowWidth, 600);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeChoiceRow());
    controls_ = new QHBoxLayout;
    layout->addLayout(controls_);
    subjectLabel_ = new QLabel(this);
    subjectLabel_->setWordWrap(true);
    subjectLabel_->setTextFormat(Qt::PlainText);
    subjectLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(subjectLabel_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter_ = splitter;
    chartView_ = new ChartWidget(splitter);
    chartView_->setMinimumWidth(ChartMinimumWidth);
    QWidget* side = makeSidePane(splitter);
    splitter->addWidget(chartView_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({ChartWidth, WindowWidth - ChartWidth});
    layout->addWidget(splitter, 1);

    followTimer_.setInterval(FollowIntervalMs);
    connect(&followTimer_, &QTimer::timeout, this, &AnalysisWindow::followData);
    followTimer_.start();
}

// Whose session and which lift, on a row of their own above the window's controls.
QHBoxLayout* AnalysisWindow::makeChoiceRow() {
    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Athlete:"), this));
    athleteBox_ = new QComboBox(this);
    athleteBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    athleteBox_->setMinimumContentsLength(12);
    choices->addWidget(athleteBox_);
    connect(athleteBox_, &QComboBox::activated, this, &AnalysisWindow::chooseAthlete);
    choices->addWidget(new QLabel(QStringLiteral("Exercise:"), this));
    exerciseBox_ = new QComboBox(this);
    exerciseBox_->setEditable(true);
    exerciseBox_->setInsertPolicy(QComboBox::NoInsert);
    exerciseBox_->setMinimumContentsLength(16);
    choices->addWidget(exerciseBox_);
    connect(exerciseBox_, &QComboBox::activated, this, &AnalysisWindow::chooseExercise);
    connect(exerciseBox_->lineEdit(), &QLineEdit::editingFinished, this,
            &AnalysisWindow::chooseExercise);
    choices->addStretch(1);
    return choices;
}

// The pane beside the chart: the summary, the table and the buttons under them.
QWidget* AnalysisWindow::makeSidePane(QSplitter* splitter) {
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
    return side;
}

const Chart& AnalysisWindow::chart() const {
    return chartView_->chart();
}

uint64_t AnalysisWindow::dataFingerprint() const {
    return TableFingerprint();
}

void AnalysisWindow::refreshNow() {
    shownFingerprint_ = dataFingerprint();
    built_ = true;
    rebuild();
    showChoices();
}

void AnalysisWindow::showChart(Chart chart) {
    // The chart keeps room for its legend on one line, so no entry is cut short; a legend
    // wider than a window can be expected to be stands beside the chart, one entry a line.
    chart.legend = LegendPlace::Bottom;
    chartView_->setChart(std::move(chart));
    const int width = LegendMargin + chartView_->legendLineWidth();
    if (width > ChartWidestMinimum) {
        chart = chartView_->chart();
        chart.legend = LegendPlace::Right;
        chartView_->setChart(std::move(chart));
    }
    chartView_->setMinimumWidth(std::clamp(width, ChartMinimumWidth, ChartWidestMinimum));
}

QString AnalysisWindow::subjectLine() const {
    const AnalysisSubject subject = CurrentAnalysisSubject();
    return SubjectLineText({{"Athlete", subject.Athlete},
                            {"Exercise", TestHeader.Exercise},
                            {"Session", subject.Date},
                            {"File", subject.File}});
}

std::string AnalysisWindow::choicesKey() const {
    const auto* current = quorl::TheSubjectRegistry().current();
    return (current ? current->folderName : std::string()) + '\n' + TestHeader.Exercise;
}

void AnalysisWindow::showChoices() {
    shownChoicesKey_ = choicesKey();
    const QSignalBlocker athleteBlock(athleteBox_);
    const QSignalBlocker exerciseBlock(exerciseBox_);
    const quorl::SubjectRegistry& registry = quorl::TheSubjectRegistry();
    const auto* current = registry.current();
    athleteBox_->clear();
    for (const quorl::Subject& subject : registry.list()) {
        if (subject.damaged) continue;
        athleteBox_->addItem(ToQt(subject.record.SubjectName), ToQt(subject.folderName));
    }
    athleteBox_->setCurrentIndex(current ? athleteBox_->findData(ToQt(current->folderName)) : -1);
    // The subject's files are read again only when another subject's folder is current.
    const std::string folder = CurrentSubjectFolder();
    if (!exercisesListed_ || folder != listedFolder_) {
        exercisesListed_ = true;
        listedFolder_ = folder;
        exerciseBox_->clear();
        for (const std::string& choice : ExerciseChoices(folder))
            exerciseBox_->addItem(ToQt(choice));
    }
    const QString exercise = ToQt(TestHeader.Exercise);
    if (!exercise.isEmpty() && exerciseBox_->findText(exercise) < 0)
        exerciseBox_->addItem(exercise);
    exerciseBox_->setEditText(exercise);
    subjectLabel_->setText(subjectLine());
}

void AnalysisWindow::chooseAthlete(int index) {
    auto* frame = qobject_cast<CMainFrame*>(parentWidget());
    const std::string folder = FromQt(athleteBox_->itemData(index).toString());
    const auto* current = quorl::TheSubjectRegistry().current();
    if (frame && switcher_ && !(current && current->folderName == folder))
        switcher_(*frame, folder);
    // Shows what is current afterwards, the athlete before when the switch was cancelled.
    refreshNow();
}

void AnalysisWindow::chooseExercise() {
    auto* frame = qobject_cast<CMainFrame*>(parentWidget());
    const std::string exercise = FromQt(exerciseBox_->currentText().trimmed());
    if (frame && exercise != TestHeader.Exercise) ChooseExercise(*frame, exercise);
    if (choicesKey() != shownChoicesKey_) showChoices();
}

QString AnalysisWindow::pageHeading(const QString& madeWhat) const {
    return subjectLine() + QStringLiteral("    ") + madeWhat + QStringLiteral(": ") +
           QDate::currentDate().toString(Qt::ISODate);
}

void AnalysisWindow::followData() {
    if (!isVisible()) return;
    if (!built_ || dataFingerprint() != shownFingerprint_)
        refreshNow();
    else if (choicesKey() != shownChoicesKey_ && !exerciseBox_->lineEdit()->hasFocus())
        showChoices();
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followData();
    fitTable();
}

void AnalysisWindow::fitTable() {
    if (fitted_ || !built_) return;
    fitted_ = true;
    int tableWidth = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < table_->columnCount(); ++c) tableWidth += table_->columnWidth(c);
    const QMargins margins = layout()->contentsMargins();
    const int around = margins.left() + margins.right() + splitter_->handleWidth();
    const int screenWidth = screen() ? screen()->availableGeometry().width() : WindowWidth;
    // Wider than it opens by default only as far as the screen allows; the chart gives
    // way down to its minimum before the table does.
    const int width =
        std::max(this->width(),
                 std::min(around + std::max(ChartWidth, chartView_->minimumWidth()) + tableWidth,
                          screenWidth));
    const int side = std::min(tableWidth, width - around - chartView_->minimumWidth());
    resize(width, height());
    splitter_->setSizes({width - around - side, side});
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
    const int widest = MaxColumnCharacters * table_->fontMetrics().averageCharWidth();
    for (int c = 0; c < table_->columnCount(); ++c) {
        if (table_->columnWidth(c) > widest) table_->setColumnWidth(c, widest);
    }
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
    const QPixmap chartImage = chartView_->grab();
    const qreal ratio = chartImage.devicePixelRatio();
    const QSize chartSize = (QSizeF(chartImage.size()) / ratio).toSize();
    const QString heading = pageHeading(QStringLiteral("Exported"));
    const int pad = 6;
    const QRect headingArea =
        subjectLabel_->fontMetrics()
            .boundingRect(QRect(pad, pad, chartSize.width() - 2 * pad, chartSize.height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading)
            .adjusted(0, 0, 0, pad);
    QImage image(QSize(chartSize.width(), headingArea.bottom() + 1 + chartSize.height()) * ratio,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(subjectLabel_->font());
    painter.setPen(Qt::black);
    painter.drawText(headingArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading);
    painter.drawPixmap(0, headingArea.bottom() + 1, chartImage);
    painter.end();
    image.setText(QStringLiteral("Description"), heading);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void AnalysisWindow::exportCsv() {
    ExportThroughPrompts("CSV Files (*.csv)|*.csv||", ".csv", csvText());
}

void AnalysisWindow::exportPng() {
    const QByteArray png = chartPng();
    ExportThroughPrompts("PNG Images (*.png)|*.png||", ".png", png.toStdString());
}

void AnalysisWindow::printTo(QPainter& painter) {
    const QRect page = painter.viewport();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(8);
    painter.setFont(font);
    // Whose data and when first, then the chart over the upper part of the page, drawn
    // as vectors, the summary and the table as plain text below it.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    QRect heading;
    painter.drawText(page, flags, pageHeading(QStringLiteral("Printed")), &heading);
    const QRect chartArea(page.left(), heading.bottom() + page.height() / 100, page.width(),
                          page.height() * 55 / 100);
    chartView_->renderTo(painter, chartArea, ChartWidth);
    const QString text =
        summary_->text() + "\n\n" + ToQt(AlignedText(tableText(UserDecimalPoint())));
    const QRect textArea(page.left(), chartArea.bottom() + page.height() / 50, page.width(),
                         page.bottom() - chartArea.bottom());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void AnalysisWindow::print() {
    PrintService* printing = LoadPrintService();
    if (!printing) return;
    PrintJob job;
    job.startPages = [](const QPageLayout&) { return 1; };
    job.drawPage = [this](QPainter& painter, const PrintedSheet&) { printTo(painter); };
    printing->Print(job, this);
}

} // namespace krovel
