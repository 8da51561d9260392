// What a test needs to know about the platform its executable links.
#pragma once

#include <string>

// True where Wine is known to differ from Windows.
bool RunningUnderWine();

// A new, empty folder for one test's files.
std::u16string ScratchFolder();
