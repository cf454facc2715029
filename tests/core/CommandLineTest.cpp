#include <gtest/gtest.h>

#include "app/core/CommandLine.h"

using krovel::SplitCommandLine;

TEST(CommandLineTest, SplitsAtFirstBlankOnly) {
    struct Case {
        const char* text;
        const char* token;
        const char* rest;
    };
    const Case cases[] = {
        {"Smith data1 x", "Smith", "data1 x"},
        {"data1", "", "data1"},
        {"", "", ""},
        {" data1", "", "data1"},
        {"Smith  two blanks ", "Smith", " two blanks "},
        {"\"My Name\" f", "\"My", "Name\" f"},
        {"tab\there", "", "tab\there"},
    };
    for (const Case& c : cases) {
        auto parts = SplitCommandLine(c.text);
        EXPECT_EQ(parts.SubjectToken, c.token) << c.text;
        EXPECT_EQ(parts.Rest, c.rest) << c.text;
    }
}
