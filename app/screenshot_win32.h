// Writes the swap chain's back buffer to a 32-bit top-down BMP file.
#pragma once

#include <string>

#include "app/graphics_win32.h"

// True when the file was opened and every row written.
[[nodiscard]] bool SaveScreenshot(const std::u16string& path, const GraphicsHandles& graphics);
