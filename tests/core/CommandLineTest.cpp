#include <gtest/gtest.h>

#include "app/core/CommandLine.h"

using krovel::CommandLineOfArguments;
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

TEST(CommandLineTest, ArgumentsKeepTheirBlanks) {
    auto parts = CommandLineOfArguments({"Ana Novak", "sess 2", "b"});
    EXPECT_EQ(parts.SubjectToken, "Ana Novak");
    EXPECT_EQ(parts.Rest, "sess 2 b");
    parts = CommandLineOfArguments({"data 1"}); // one word is the file name alone
    EXPECT_EQ(parts.SubjectToken, "");
    EXPECT_EQ(parts.Rest, "data 1");
}
