// The program's answer to a failed Dear ImGui assertion: none. Dear ImGui recovers from the
// errors it asserts on, and a user's window must not end over one.
#include "ui/imgui_config.h"

void ImGuiAssertFailed(const char* /*expression*/, const char* /*file*/, int /*line*/) {}
