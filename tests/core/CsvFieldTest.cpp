#include <gtest/gtest.h>

#include <string>

#include "data/core/CsvField.h"

using namespace krovel;

TEST(CsvFieldTest, FormulasStayTextNumbersStayNumbers) {
    const struct {
        std::string text, field;
    } cases[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+cmd", "'+cmd"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"-", "'-"},
        {"-0.012", "-0.012"},
        {"+5", "+5"},
        {"-1.5e-3", "-1.5e-3"},
        {"Back squat", "Back squat"},
        {"a,b", "\"a,b\""},
        {std::string("a\0b", 3), "a\xEF\xBF\xBD"
                                 "b"},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}
