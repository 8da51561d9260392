// Page 5: the session log of this run, oldest line first, with buttons that open the log
// file in Notepad and empty the in-memory list.
#include "pages/session_page.h"

#include <algorithm>

#include "engine/operations.h"
#include "pages/pages.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "state/session_log.h"
#include "state/text.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

void OpenLogInNotepad() {
    // By full path: a bare "notepad.exe" is looked for in the program's own folder first,
    // where a planted copy would run with the program's rights.
    const std::u16string system = platform::SystemDirectory();
    if (system.empty())
        return;
    // Handed over as Notepad's whole command line, which it takes as one file name, spaces
    // and all. Whether Notepad starts, or finds the file, is for Notepad to show.
    static_cast<void>(platform::ShellOpen(u"open", system + u"\\notepad.exe", SessionLogPath(),
                                          platform::kSwShowNormal));
}

// A failed line's reason in a tooltip beside the pointer.
void DrawReason(const std::string& reason) {
    ImGui::BeginTooltip();
    PushUiFont(2, 11);
    ImGui::PushStyleColor(ImGuiCol_Text, ColText);
    ImGui::TextUnformatted(reason.data(), reason.data() + reason.size());
    ImGui::PopStyleColor(1);
    PopUiFont();
    ImGui::EndTooltip();
}

}  // namespace

ImU32 LogMessageColour(LogKind kind) {
    switch (kind) {
        case LogKind::Error:
            return ColDanger;
        case LogKind::Success:
            return ColSuccess;
        case LogKind::Warning:
            return ColAccent;
        default:
            return ColTextSecondary;
    }
}

void DrawSessionPage(AppState& state, ShellState&, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    ImGui::SetCursorScreenPos(origin);
    if (StyledButton("OPEN LOG", ColText, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(150), Scaled(32)))) {
        OpenLogInNotepad();
    }
    ImGui::SameLine(0, Scaled(8));
    // Only the list: the toast and session.log keep what they show.
    if (StyledButton("CLEAR", ColTextSecondary, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(100), Scaled(32)))) {
        ClearLog(state);
    }
    const float top = origin.y + Scaled(44);
    ImGui::SetCursorScreenPos(ImVec2(origin.x, top));
    // Down to 2 pixels above the body's bottom edge. Never 0 or less, which Dear ImGui would
    // read as "fill the rest".
    const float bottom = ImGui::GetWindowPos().y + ImGui::GetWindowSize().y - Scaled(2);
    ImGui::BeginChild("##log", ImVec2(width, std::max(bottom - top, 1.0f)), 0, 0);
    if (state.LogEntries.empty()) {
        TextStyled(2, 10, ColTextMuted, "NO ENTRIES.");
    } else {
        for (const LogEntry& entry : state.LogEntries) {
            PushUiFont(2, 10);
            ImGui::PushStyleColor(ImGuiCol_Text, ColTextMuted);
            ImGui::TextUnformatted(ToUtf8(entry.time).c_str());
            ImGui::PopStyleColor(1);
            ImGui::SameLine(0, Scaled(14));
            ImGui::PushStyleColor(ImGuiCol_Text, LogMessageColour(entry.kind));
            const std::string& message = entry.message;
            ImGui::TextUnformatted(message.data(), message.data() + message.size());
            ImGui::PopStyleColor(1);
            PopUiFont();
            if (!entry.reason.empty() && ImGui::IsItemHovered())
                DrawReason(entry.reason);
        }
    }
    ImGui::EndChild();
}
