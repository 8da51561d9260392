// The cost of one interface frame per page: DrawFrame plus ImGui::Render in a Dear ImGui
// context without a renderer, 1120 × 720 at UI scale 1, with the interface fonts loaded as
// the program loads them, 400 log entries, every other catalog tweak applied and a toast
// showing. Prints the median and the 95th percentile per page, and how many times over the
// frame fills the display, in all and by window; asserts nothing.
//
//     qf_frame_bench [frames per page]
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/frame_machine.h"
#include "engine/catalog.h"
#include "platform/clock.h"
#include "state/app_state.h"
#include "sysinfo/snapshot.h"
#include "shell/frame.h"
#include "shell/page_table.h"
#include "ui/fonts.h"
#include "ui/imgui_config.h"
#include "ui/scale.h"
#include "ui/shell_state.h"
#include "ui/theme.h"

// A frame that trips an assertion is not a frame the program draws: say so.
void ImGuiAssertFailed(const char* expression, const char* file, int line) {
    static int reported = 0;
    if (reported++ < 5)
        std::fprintf(stderr, "IM_ASSERT(%s) failed at %s:%d\n", expression, file, line);
}

namespace {

constexpr int kWarmUpFrames = 120;

// A full log of the lines the tweaks write, every kind among them, and the newest as toast.
void FillState(AppState& state) {
    const char* const verbs[] = {"applied  ", "reverted  ", "failed  ", "revert failed  "};
    const LogKind kinds[] = {LogKind::Success, LogKind::Info, LogKind::Error, LogKind::Warning};
    for (int i = 0; i < 400; ++i) {
        const TweakEntry& tweak = TweakCatalog[static_cast<std::size_t>(i) % kTweakCount];
        state.LogEntries.push_back(
            LogEntry{u"12:34:56", std::string(verbs[i % 4]) + tweak.name, kinds[i % 4], {}});
    }
    for (std::size_t i = 0; i < kTweakCount; i += 2)
        state.AppliedSet.insert(TweakCatalog[i].id);
    state.LastMessage = state.LogEntries.back().message;
    state.LastKind = state.LogEntries.back().kind;
}

// What a renderer backend does with the atlas's requests, without a device: every texture
// is taken as created or updated, so the atlas settles as it does in the program.
void AcknowledgeTextures() {
    ImDrawData* drawData = ImGui::GetDrawData();
    if (drawData->Textures == nullptr)
        return;
    for (ImTextureData* texture : *drawData->Textures) {
        if (texture->Status == ImTextureStatus_WantDestroy) {
            texture->SetTexID(ImTextureID_Invalid);
            texture->SetStatus(ImTextureStatus_Destroyed);
        } else if (texture->Status != ImTextureStatus_OK) {
            texture->SetTexID(static_cast<ImTextureID>(texture->UniqueID));
            texture->SetStatus(ImTextureStatus_OK);
        }
    }
}

// One frame; returns the clock's nanoseconds for DrawFrame and ImGui::Render.
std::uint64_t Frame(AppState& state, ShellState& shell) {
    // The toast stays up: its message is always brand new.
    state.LastTick = platform::TickCountMs();
    ImGui::GetIO().DeltaTime = 1.0f / 60;
    ImGui::NewFrame();
    const std::uint64_t start = frame_bench::FrameClockNs();
    DrawFrame(state, shell);
    ImGui::Render();
    const std::uint64_t end = frame_bench::FrameClockNs();
    AcknowledgeTextures();
    return end - start;
}

// The area of the triangle inside `clip`, by cutting it at each edge of the rectangle.
float ClippedArea(const ImVec2 (&triangle)[3], const ImVec4& clip) {
    std::vector<ImVec2> polygon(triangle, triangle + 3);
    const auto cut = [&polygon](auto inside, auto crossing) {
        std::vector<ImVec2> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const ImVec2 a = polygon[i];
            const ImVec2 b = polygon[(i + 1) % polygon.size()];
            if (inside(a))
                kept.push_back(a);
            if (inside(a) != inside(b))
                kept.push_back(crossing(a, b));
        }
        polygon = kept;
    };
    const auto atX = [](float x) {
        return [x](ImVec2 a, ImVec2 b) {
            return ImVec2(x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x));
        };
    };
    const auto atY = [](float y) {
        return [y](ImVec2 a, ImVec2 b) {
            return ImVec2(a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y);
        };
    };
    cut([&](ImVec2 p) { return p.x >= clip.x; }, atX(clip.x));
    cut([&](ImVec2 p) { return p.x <= clip.z; }, atX(clip.z));
    cut([&](ImVec2 p) { return p.y >= clip.y; }, atY(clip.y));
    cut([&](ImVec2 p) { return p.y <= clip.w; }, atY(clip.w));
    float twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ImVec2 a = polygon[i];
        const ImVec2 b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

// How many times over the renderer fills the display for one draw list: the area of every
// triangle within its clip rectangle, over the display's. A software renderer pays for each.
double FillOfDisplay(const ImDrawData* drawData, const ImDrawList* list) {
    double area = 0;
    for (const ImDrawCmd& command : list->CmdBuffer) {
        const ImVec4 clip(std::max(command.ClipRect.x, 0.0f), std::max(command.ClipRect.y, 0.0f),
                          std::min(command.ClipRect.z, drawData->DisplaySize.x),
                          std::min(command.ClipRect.w, drawData->DisplaySize.y));
        for (unsigned i = 0; i + 2 < command.ElemCount; i += 3) {
            ImVec2 triangle[3];
            for (unsigned corner = 0; corner < 3; ++corner) {
                const ImDrawIdx index =
                    list->IdxBuffer[static_cast<int>(command.IdxOffset + i + corner)];
                triangle[corner] = list->VtxBuffer[static_cast<int>(command.VtxOffset + index)].pos;
            }
            area += ClippedArea(triangle, clip);
        }
    }
    return area / (drawData->DisplaySize.x * drawData->DisplaySize.y);
}

// The window that owns a draw list by its own name: a child window's name is
// "parent/name_XXXXXXXX".
std::string WindowName(const ImDrawList* list) {
    std::string name = list->_OwnerName != nullptr ? list->_OwnerName : "?";
    name = name.substr(name.find_last_of('/') + 1);
    const std::size_t suffix = name.find_last_of('_');
    if (suffix != std::string::npos && name.size() - suffix == 9)
        name.resize(suffix);
    return name;
}

// The whole frame's fill, then each window's that fills at least 1 % of the display.
void PrintFill(const ImDrawData* drawData) {
    double total = 0;
    std::string windows;
    for (const ImDrawList* list : drawData->CmdLists) {
        const double fill = FillOfDisplay(drawData, list);
        total += fill;
        if (fill >= 0.01) {
            char figure[32];
            std::snprintf(figure, sizeof figure, " %.2f", fill);
            windows += windows.empty() ? " " : ", ";
            windows += WindowName(list);
            windows += figure;
        }
    }
    std::printf("      fills the display %.2f times:%s\n", total, windows.c_str());
}

double Milliseconds(std::uint64_t nanoseconds) {
    return static_cast<double>(nanoseconds) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    frame_bench::PrepareMachine();
    AppState state;
    ShellState shell;
    TakeMachineSnapshot();
    FillState(state);

    UiScale = 1.0f;
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(1120, 720);
    io.BackendFlags |= ImGuiBackendFlags_RendererHasTextures;
    LoadFonts();
    ApplyTheme();

    std::printf(
        "frame cost, DrawFrame + ImGui::Render, 1120 x 720, %d frames per page after %d"
        " to warm up; %s; %d log entries, %d of %d tweaks applied, the toast showing\n",
        frames, kWarmUpFrames, frame_bench::FrameClockName(),
        static_cast<int>(state.LogEntries.size()), static_cast<int>(state.AppliedSet.size()),
        static_cast<int>(kTweakCount));
    for (int page = 0; page < static_cast<int>(PageTitles.size()); ++page) {
        shell.CurrentPage = page;
        const std::uint64_t first = Frame(state, shell);
        for (int i = 1; i < kWarmUpFrames; ++i)
            Frame(state, shell);
        std::vector<std::uint64_t> costs(static_cast<std::size_t>(frames));
        for (std::uint64_t& cost : costs)
            cost = Frame(state, shell);
        std::sort(costs.begin(), costs.end());
        const ImDrawData* drawData = ImGui::GetDrawData();
        int commands = 0;
        for (const ImDrawList* list : drawData->CmdLists)
            commands += list->CmdBuffer.Size;
        std::printf(
            "frame %-9s median %.3f ms, 95th percentile %.3f ms, first %.3f ms;"
            " %d vertices, %d draw commands\n",
            PageTitles[static_cast<std::size_t>(page)], Milliseconds(costs[costs.size() / 2]),
            Milliseconds(costs[costs.size() * 95 / 100]), Milliseconds(first),
            drawData->TotalVtxCount, commands);
        PrintFill(drawData);
    }
    ImGui::DestroyContext();
    return 0;
}
