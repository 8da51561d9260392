// In the tests a failed Dear ImGui assertion fails the case that caused it, naming the
// assertion and where it stands.
#include <gtest/gtest.h>

#include "ui/imgui_config.h"

void ImGuiAssertFailed(const char* expression, const char* file, int line) {
    ADD_FAILURE_AT(file, line) << "IM_ASSERT(" << expression << ") failed";
}
