// Writes the swap chain's back buffer to a 32-bit top-down BMP file.
#pragma once

#include <string>

// True when the file was opened and every row written.
bool SaveScreenshot(const std::u16string& path);
