#include "base/core/FileFilter.h"

#include <gtest/gtest.h>

#include "base/core/Prompts.h"

namespace krovel {
namespace {

TEST(FileFilterTest, ProgramFilterRendersAsOneNamedPattern) {
    auto entries = ParseFileFilter(KrovelFileFilter);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.at(0).description, "Krovel Files (*.krvx)");
    EXPECT_EQ(entries.at(0).patterns, std::vector<std::string>{"*.krvx"});
    EXPECT_EQ(DialogFilterText(KrovelFileFilter), "Krovel Files (*.krvx)");
}

TEST(FileFilterTest, PatternsAreAddedWhenTheDescriptionLacksThem) {
    EXPECT_EQ(DialogFilterText("Workbooks|*.xml;*.xls|All Files (*.*)|*.*||"),
              "Workbooks (*.xml *.xls);;All Files (*.*)");
}

TEST(FileFilterTest, MalformedFiltersYieldWhatIsComplete) {
    EXPECT_EQ(DialogFilterText(""), "");
    EXPECT_EQ(DialogFilterText("||"), "");
    EXPECT_EQ(DialogFilterText("Only a name"), "");
    EXPECT_EQ(DialogFilterText("Data|*.dat"), "Data (*.dat)"); // missing "||"
}

} // namespace
} // namespace krovel
