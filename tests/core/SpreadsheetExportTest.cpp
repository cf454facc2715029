#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "data/core/DataModel.h"
#include "measure/core/SpreadsheetExport.h"
#include "support/FileSizeLimit.h"
#include "support/LocaleGuard.h"
#include "support/PosixOnly.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

using namespace krovel;
using krovel::testing::LocaleGuard;
namespace fs = std::filesystem;

namespace {

// The expected workbook, piece by piece, written out from the templates.
const std::string Head = "<?xml version=\"1.0\"?>\n"
                         "<ss:Workbook xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
                         "<ss:Styles>\n"
                         "  <ss:Style ss:ID=\"1\">\n"
                         "    <ss:Font ss:Bold=\"1\"/>\n"
                         "  </ss:Style>\n"
                         "  <ss:Style ss:ID=\"2\">\n"
                         "    <ss:Font ss:Bold=\"1\"/>\n"
                         "    <ss:Interior ss:Color=\"#FFFF00\" ss:Pattern=\"Solid\"/>\n"
                         "  </ss:Style>\n"
                         "</ss:Styles>\n"
                         "<ss:Worksheet ss:Name=\"Sheet1\">\n"
                         "  <ss:Table>\n"
                         "      <ss:Column ss:Width=\"70\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n"
                         "      <ss:Column ss:Width=\"100\"/>\n";

std::string DescriptionRow(const std::string& text) {
    return "    <ss:Row ss:StyleID=\"1\"><ss:Cell><ss:Data ss:Type=\"String\">" + text +
           " </ss:Data></ss:Cell></ss:Row>\n";
}

// Series 3 of the fixture below: 22.5 kg, 85 / 105 %, 2010-01-01 01:02:03 UTC.
const std::string Description =
    DescriptionRow("Repetition No: 3\r\n") + DescriptionRow("Name: Ann Lee\r\n") +
    DescriptionRow("Weight: 22.50\r\n") + DescriptionRow("Lower : 85 %\r\n") +
    DescriptionRow("Upper : 105 %\n") + DescriptionRow("Date: 01.01.2010    Time: 01:02:03\r\n") +
    DescriptionRow(" ");

const std::string Titles =
    "  <ss:Row>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> Rep No </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> Weight (kg) "
    "</ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> Force (N) </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> v mean(m/s) "
    "</ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> v max(m/s) </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> P mean(W) </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> % </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> P max(W) </ss:Data></ss:Cell>\n"
    "    </ss:Row>\n"
    "  <ss:Row>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\">  </ss:Data></ss:Cell>\n"
    "    </ss:Row>\n";

const std::string End = "    </ss:Table>\n</ss:Worksheet>\n</ss:Workbook>\n";

// Two grouped digital-report rows (interval 2: repetitions 1-2 and 3-3).
const std::vector<SpreadsheetRow> ReportRows = {
    {{"   1-  2", " 22.50", "220.73", "  0.90", "  1.20", " 198.65", " 100.0", " 350.00"}},
    {{"   3-  3", " 22.50", "220.73", "  0.80", "  1.05", " 176.58", "  88.9", " 300.50"}},
};

const std::string ReportData =
    "  <ss:Row>\n"
    "      <ss:Cell><ss:Data ss:Type=\"String\">1-  2</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">22.50</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">220.73</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">0.90</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">1.20</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">198.65</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">100.0</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">350.00</ss:Data></ss:Cell>\n"
    "  </ss:Row>\n"
    "  <ss:Row>\n"
    "      <ss:Cell><ss:Data ss:Type=\"String\">3-  3</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">22.50</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">220.73</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">0.80</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">1.05</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">176.58</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">88.9</ss:Data></ss:Cell>\n"
    "      <ss:Cell><ss:Data ss:Type=\"Number\">300.50</ss:Data></ss:Cell>\n"
    "  </ss:Row>\n";

std::string ReadFile(const fs::path& path) {
    return krovel::testing::TempFolder::Read(path.string());
}

// The data cell lines of a workbook holding the single row `row`.
std::vector<std::string> DataCells(const SpreadsheetRow& row) {
    const std::string workbook = SpreadsheetWorkbook({}, {row});
    const std::string titlesEnd = "    </ss:Row>\n";
    size_t at = workbook.rfind(titlesEnd) + titlesEnd.size();
    std::vector<std::string> cells;
    while ((at = workbook.find("      <ss:Cell>", at)) != std::string::npos) {
        const size_t end = workbook.find('\n', at);
        cells.push_back(workbook.substr(at + 6, end - at - 6));
        at = end;
    }
    return cells;
}

std::string Cell(const char* type, const char* text) {
    return std::string("<ss:Cell><ss:Data ss:Type=\"") + type + "\">" + text +
           "</ss:Data></ss:Cell>";
}

class SpreadsheetExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        krovel::testing::UseUtcAsLocalTime();
        TestHeader.Subject.SubjectName = "Ann Lee";
        SeriesRecord& s = Series[2];
        s.RepCount = 3;
        s.Mass = 22.5f;
        s.SignalBelowPct = 85;
        s.SignalAbovePct = 105;
        s.StartTime = 1262304000 + 3723;
        SeriesCount = 3;
        CurrentSeries = 2;
        ASSERT_TRUE(temp.ok());
        folder = temp.path();
    }

    // Exports into the test folder and records what the spreadsheet program was asked to open.
    bool Export(const std::vector<SpreadsheetRow>& rows) {
        return ExportSpreadsheet(folder.string(), rows,
                                 [this](const std::string& path) { opened.push_back(path); });
    }

    krovel::testing::TempFolder temp;
    fs::path folder;
    std::vector<std::string> opened;
};

} // namespace

TEST_F(SpreadsheetExportTest, ReportWorkbookIsByteExact) {
    EXPECT_EQ(SpreadsheetFileHead.size(), 334u);
    EXPECT_EQ(SpreadsheetWorkbookOfCurrentSeries(ReportRows),
              Head + Description + Titles + ReportData + End);
}

TEST_F(SpreadsheetExportTest, EmptyTableHasDescriptionAndTitlesOnly) {
    EXPECT_EQ(SpreadsheetWorkbookOfCurrentSeries({}), Head + Description + Titles + End);
}

TEST_F(SpreadsheetExportTest, CellsAreTrimmedPointedAndTyped) {
    EXPECT_EQ(
        DataCells({{"12", " 12,50", "", "-3,5", "  7  ", "0", "\t1\n", "100.0"}}),
        (std::vector<std::string>{Cell("Number", "12"), Cell("Number", "12.50"), Cell("String", ""),
                                  Cell("Number", "-3.5"), Cell("Number", "7"), Cell("Number", "0"),
                                  Cell("Number", "1"), Cell("Number", "100.0")}));
    // Column 1 is a number only when made of digits and a point; ranges, signs and
    // empty texts stay strings.
    EXPECT_EQ(DataCells({{"  1-  1"}})[0], Cell("String", "1-  1"));
    EXPECT_EQ(DataCells({{"-1"}})[0], Cell("String", "-1"));
    EXPECT_EQ(DataCells({{" 2,5 "}})[0], Cell("Number", "2.5"));
    EXPECT_EQ(DataCells({{""}})[0], Cell("String", ""));
}

TEST_F(SpreadsheetExportTest, TextsThatAreNoNumberAreNeverTypedNumber) {
    // A "Number" cell holding anything but a number makes the spreadsheet program
    // reject the whole file.
    const auto cells = DataCells({{".", "nan", "-nan", "inf", "1.2.3", "1,234,5", "-", "12 kg"}});
    EXPECT_EQ(cells, (std::vector<std::string>{Cell("String", "."), Cell("String", "nan"),
                                               Cell("String", "-nan"), Cell("String", "inf"),
                                               Cell("String", "1.2.3"), Cell("String", "1.234.5"),
                                               Cell("String", "-"), Cell("String", "12 kg")}));
}

TEST_F(SpreadsheetExportTest, MarkupAndBadBytesAreEscaped) {
    TestHeader.Subject.SubjectName = "Tom & \"Jerry\" <'x'>";
    SpreadsheetRow row{{"<1>", "a&b"}};
    row[2] = "bad\xFF\x01 \xC3\xA9";
    const std::string workbook = SpreadsheetWorkbookOfCurrentSeries({row});
    EXPECT_NE(workbook.find(
                  DescriptionRow("Name: Tom &amp; &quot;Jerry&quot; &lt;&apos;x&apos;&gt;\r\n")),
              std::string::npos);
    EXPECT_NE(workbook.find(Cell("String", "&lt;1&gt;")), std::string::npos);
    EXPECT_NE(workbook.find(Cell("String", "a&amp;b")), std::string::npos);
    // An invalid byte and a control character become U+FFFD; valid UTF-8 stays.
    EXPECT_NE(workbook.find(Cell("String", "bad\xEF\xBF\xBD\xEF\xBF\xBD \xC3\xA9")),
              std::string::npos);
}

TEST_F(SpreadsheetExportTest, DescriptionFollowsSeriesAndLocale) {
    Series[4].Mass = 20.0f;
    CurrentSeries = 4;
    EXPECT_EQ(SpreadsheetDescriptionOf(CurrentSeries)[0], "Repetition No: 5\r\n");
    EXPECT_NE(SpreadsheetWorkbookOfCurrentSeries({}).find(
                  "<ss:Data ss:Type=\"String\">Repetition No: 5\r\n </ss:Data>"),
              std::string::npos);

    LocaleGuard comma("de_DE.UTF-8");
    ASSERT_TRUE(comma.ok());
    EXPECT_EQ(SpreadsheetDescriptionOf(2)[2], "Weight: 22,50\r\n");
    EXPECT_EQ(DataCells({{"1", " 22,50"}})[1], Cell("Number", "22.50"));
}

TEST_F(SpreadsheetExportTest, SeriesIndexOutsideTableIsClamped) {
    Series[0].Mass = 10.0f;
    Series[MaxSeries - 1].Mass = 99.0f;
    EXPECT_EQ(SpreadsheetDescriptionOf(-1)[0], "Repetition No: 1\r\n");
    EXPECT_EQ(SpreadsheetDescriptionOf(-1)[2], "Weight: 10.00\r\n");
    EXPECT_EQ(SpreadsheetDescriptionOf(MaxSeries)[0], "Repetition No: 1000\r\n");
    EXPECT_EQ(SpreadsheetDescriptionOf(1 << 30)[2], "Weight: 99.00\r\n");
}

TEST_F(SpreadsheetExportTest, ExportWritesFileAndOpensIt) {
    const fs::path path = folder / "noname.xml";
    ASSERT_TRUE(Export(ReportRows));
    EXPECT_EQ(ReadFile(path), Head + Description + Titles + ReportData + End);
    EXPECT_EQ(opened, std::vector<std::string>{path.generic_string()});

    // A second export replaces the first without asking.
    CurrentSeries = 0;
    ASSERT_TRUE(Export({}));
    EXPECT_EQ(ReadFile(path), SpreadsheetWorkbook(SpreadsheetDescriptionOf(0), {}));
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(SpreadsheetExportTest, FailedWriteKeepsPreviousExportAndStillOpensIt) {
    SKIP_ON_WINDOWS("no cap on file size to stand in for a full disk");
    const fs::path path = folder / "noname.xml";
    ASSERT_TRUE(Export(ReportRows));
    const std::string previous = ReadFile(path);
    // A file size limit below the workbook's size stands in for a full disk.
    bool written = true;
    {
        krovel::testing::FileSizeLimit diskFull(100);
        ASSERT_TRUE(diskFull.ok());
        written = Export({});
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(path), previous);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(SpreadsheetExportTest, MissingFolderWritesAndOpensNothing) {
    const fs::path missing = folder / "absent";
    EXPECT_FALSE(ExportSpreadsheet(missing.string(), ReportRows,
                                   [this](const std::string& p) { opened.push_back(p); }));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(opened.empty());
}

// The real spreadsheet program reads the file: LibreOffice converts it to CSV.
TEST_F(SpreadsheetExportTest, LibreOfficeReadsTheWorkbook) {
    SKIP_ON_WINDOWS("runs LibreOffice through a POSIX shell");
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    TestHeader.Subject.SubjectName = "A&B <C>";
    ASSERT_TRUE(Export(ReportRows));
    const std::string command = "cd '" + folder.string() + "' && HOME='" + folder.string() +
                                "' soffice --headless --convert-to csv --outdir out noname.xml"
                                " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string csv = ReadFile(folder / "out" / "noname.csv");
    // Description cells keep their line ends; numbers come back as numbers (22.5, not
    // the text 22.50), the range in column 1 as text.
    EXPECT_NE(csv.find("\"Name: A&B <C>\r\n \""), std::string::npos) << csv;
    EXPECT_NE(csv.find(" Rep No , Weight (kg) ,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n1-  2,22.5,220.73,0.9,1.2,198.65,100,350\n"
                       "3-  3,22.5,220.73,0.8,1.05,176.58,88.9,300.5\n"),
              std::string::npos)
        << csv;
}
