#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

struct Case {
    const char* name;
    std::vector<std::u16string> arguments;  // after the program path
    std::optional<int> page;
    std::u16string screenshotPath;
};

const Case kCases[] = {
    {"no arguments", {}, std::nullopt, u""},
    {"page four", {u"--page=4"}, 4, u""},
    {"page zero", {u"--page=0"}, 0, u""},
    {"page five", {u"--page=5"}, 5, u""},
    {"page six is ignored", {u"--page=6"}, std::nullopt, u""},
    {"minus one is ignored", {u"--page=-1"}, std::nullopt, u""},
    {"beyond a long is ignored", {u"--page=99999999999999999999"}, std::nullopt, u""},
    {"beyond a long leaves an earlier page", {u"--page=2", u"--page=4294967296"}, 2, u""},
    {"letters give page zero", {u"--page=3", u"--page=abc"}, 0, u""},
    {"a bare switch gives page zero", {u"--page=3", u"--page="}, 0, u""},
    {"a leading space is accepted", {u"--page= 3"}, 3, u""},
    {"a plus sign is accepted", {u"--page=+2"}, 2, u""},
    {"digits end at the first other character", {u"--page=1x"}, 1, u""},
    {"upper case is ignored", {u"--PAGE=3"}, std::nullopt, u""},
    {"something before the dashes is ignored", {u"x--page=3"}, std::nullopt, u""},
    {"the later page wins", {u"--page=1", u"--page=4"}, 4, u""},
    {"an out-of-range page leaves the earlier one", {u"--page=1", u"--page=9"}, 1, u""},
    {"short arguments are ignored", {u"--page", u"-p=1"}, std::nullopt, u""},
    {"shot with a path", {u"--shot=C:\\out\\shot.bmp"}, std::nullopt, u"C:\\out\\shot.bmp"},
    {"shot without a path is interactive", {u"--shot="}, std::nullopt, u""},
    {"a later empty shot clears the path", {u"--shot=a.bmp", u"--shot="}, std::nullopt, u""},
    {"both switches", {u"--shot=s.bmp", u"--page=1"}, 1, u"s.bmp"},
    {"a page switch is not also a shot", {u"--page=--shot=x"}, 0, u""},
    {"path with spaces and non-ASCII",
     {u"--shot=C:\\Bilder \u00E9\\a.bmp"},
     std::nullopt,
     u"C:\\Bilder \u00E9\\a.bmp"},
};

TEST(CommandLine, Switches) {
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        std::vector<std::u16string> arguments = {u"--page=2"};  // the program path is skipped
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        const CommandLineOptions options = ParseCommandLine(arguments);
        EXPECT_EQ(options.page, row.page);
        EXPECT_EQ(options.screenshotPath, row.screenshotPath);
    }
}

TEST(CommandLine, AnEmptyListIsAnInteractiveRun) {
    const CommandLineOptions options = ParseCommandLine({});
    EXPECT_FALSE(options.page.has_value());
    EXPECT_TRUE(options.screenshotPath.empty());
}

}  // namespace
