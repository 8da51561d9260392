// Dear ImGui's build configuration, given to every build as IMGUI_USER_CONFIG. Its
// assertions go to a handler each executable defines: the program carries on (Dear ImGui
// recovers from the errors it asserts on), the tests fail the case that broke the rule.
#pragma once

void ImGuiAssertFailed(const char* expression, const char* file, int line);

#define IM_ASSERT(expression) \
    ((expression) ? static_cast<void>(0) : ImGuiAssertFailed(#expression, __FILE__, __LINE__))
