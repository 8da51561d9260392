// The two switches: --page=N picks the first page (0..5), --shot=PATH makes the run a
// screenshot run. Anything else is ignored, silently.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLineOptions {
    std::optional<int> page;
    std::u16string screenshotPath;  // empty: an interactive run
};

// The first argument (the program path) is skipped; later switches override earlier ones.
CommandLineOptions ParseCommandLine(const std::vector<std::u16string>& arguments);
