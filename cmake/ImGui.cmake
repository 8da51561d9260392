# Dear ImGui from the source tree that scripts/setup.sh unpacks. Its headers are
# system includes, so its code never shows in our warnings.
set(QF_IMGUI_DIR "${QF_DEPS_DIR}/imgui" CACHE PATH "Dear ImGui source tree")
if(NOT EXISTS "${QF_IMGUI_DIR}/imgui.h")
    message(FATAL_ERROR "Dear ImGui not found in ${QF_IMGUI_DIR}: run scripts/setup.sh first")
endif()

add_library(imgui STATIC
    ${QF_IMGUI_DIR}/imgui.cpp
    ${QF_IMGUI_DIR}/imgui_draw.cpp
    ${QF_IMGUI_DIR}/imgui_tables.cpp
    ${QF_IMGUI_DIR}/imgui_widgets.cpp)
target_include_directories(imgui SYSTEM PUBLIC ${QF_IMGUI_DIR})
target_compile_definitions(imgui PUBLIC IMGUI_DISABLE_OBSOLETE_FUNCTIONS)

if(WIN32)
    target_sources(imgui PRIVATE
        ${QF_IMGUI_DIR}/backends/imgui_impl_win32.cpp
        ${QF_IMGUI_DIR}/backends/imgui_impl_dx11.cpp)
    # The program uses no gamepad. Without this the Win32 backend loads XInput and frees it at
    # shutdown; Wine's XInput then unmaps the code its own device thread is still returning
    # into, which crashes that thread now and then at exit.
    target_compile_definitions(imgui PRIVATE IMGUI_IMPL_WIN32_DISABLE_GAMEPAD)
    target_include_directories(imgui SYSTEM PUBLIC ${QF_IMGUI_DIR}/backends)
    # Not d3d11, d3dcompiler or dwmapi: the backends' calls into those reach forwarders that
    # load them from the system directory (app/system_libraries_win32.cpp).
    target_link_libraries(imgui PUBLIC gdi32 imm32)
endif()

# Assertions reach ImGuiAssertFailed, which every executable that links Dear ImGui defines.
target_compile_definitions(imgui PUBLIC "IMGUI_USER_CONFIG=\"ui/imgui_config.h\"")
target_include_directories(imgui PUBLIC ${CMAKE_SOURCE_DIR})
