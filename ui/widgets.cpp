#include "ui/widgets.h"

#include <cctype>
#include <cfloat>
#include <cstdarg>
#include <cstdio>

#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/scale.h"

namespace {

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

void PutWindowText(ImFont* font, float size, ImVec2 position, ImU32 colour, std::string_view text) {
    PutText(ImGui::GetWindowDrawList(), font, size, position, colour, text);
}

}  // namespace

float Scaled(float value) {
    return value * UiScale;
}

ImVec2 TextSize(ImFont* font, float pixelSize, std::string_view text) {
    return font->CalcTextSizeA(pixelSize, FLT_MAX, 0.0f, text.data(), text.data() + text.size());
}

void PutText(ImDrawList* drawList, ImFont* font, float pixelSize, ImVec2 position, ImU32 colour,
             std::string_view text) {
    drawList->AddText(font, pixelSize, position, colour, text.data(), text.data() + text.size());
}

void PutLabel(ImDrawList* drawList, ImVec2 position, ImU32 colour, std::string_view text) {
    PutText(drawList, FontLabel, Scaled(9), position, colour, text);
}

void PutLabelRightAligned(ImDrawList* drawList, float right, float y, ImU32 colour,
                          std::string_view text) {
    const float width = TextSize(FontLabel, Scaled(9), text).x;
    PutLabel(drawList, ImVec2(right - width, y), colour, text);
}

ImFont* FontOfKind(int kind) {
    switch (kind) {
        case 1:
            return FontSemibold;
        case 2:
            return FontLabel;
        case 3:
            return FontDisplay;
        default:
            return FontBody;
    }
}

void PushUiFont(int kind, float size) {
    ImGui::PushFont(FontOfKind(kind), Scaled(size));
}

void PopUiFont() {
    ImGui::PopFont();
}

void TextStyled(int kind, float size, ImU32 colour, const char* format, ...) {
    PushUiFont(kind, size);
    ImGui::PushStyleColor(ImGuiCol_Text, colour);
    va_list values;
    va_start(values, format);
    ImGui::TextV(format, values);
    va_end(values);
    ImGui::PopStyleColor(1);
    PopUiFont();
}

void DrawCard(ImVec2 position, ImVec2 size, ImU32 fill) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImVec2 end(position.x + size.x, position.y + size.y);
    const float rounding = Scaled(12);
    draw->AddRectFilled(position, end, fill, rounding);
    draw->AddRect(position, end, ColBorder, rounding, 0, 1.0f);
    // One pixel below the top edge, whatever the scale.
    draw->AddLine(ImVec2(position.x + rounding, position.y + 1),
                  ImVec2(end.x - rounding, position.y + 1), IM_COL32(0xFF, 0xFF, 0xFF, 0x08), 1.0f);
}

void SectionHeader(const char* title, int count, float width) {
    ImGui::Dummy(ImVec2(0, Scaled(16)));
    std::string upper(title);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const ImVec2 p = ImGui::GetCursorScreenPos();
    ImGui::Dummy(ImVec2(width, Scaled(22)));
    const float titleSize = Scaled(10);
    PutWindowText(FontSemibold, titleSize, ImVec2(p.x + Scaled(2), p.y + Scaled(5)), ColAccent,
                  upper);
    const float titleWidth = TextSize(FontSemibold, titleSize, upper).x;
    ImGui::GetWindowDrawList()->AddLine(ImVec2(p.x + Scaled(12) + titleWidth, p.y + Scaled(11)),
                                        ImVec2(p.x + width - Scaled(44), p.y + Scaled(11)),
                                        ColBorder, 1.0f);
    char countText[16];
    std::snprintf(countText, sizeof countText, "%d", count);
    const float countSize = Scaled(9);
    const float countWidth = TextSize(FontLabel, countSize, countText).x;
    PutWindowText(FontLabel, countSize,
                  ImVec2(p.x + width - Scaled(24) - countWidth, p.y + Scaled(6)), ColTextMuted,
                  countText);
}

float DrawBadge(ImVec2 position, const char* text, ImU32 textColour, ImU32 fill) {
    const float size = Scaled(9.5f);
    const ImVec2 textSize = TextSize(FontSemibold, size, text);
    const float width = textSize.x + Scaled(14);
    const float height = Scaled(19);
    ImGui::GetWindowDrawList()->AddRectFilled(
        position, ImVec2(position.x + width, position.y + height), fill, Scaled(5));
    PutWindowText(FontSemibold, size,
                  ImVec2(position.x + Scaled(7), position.y + (height - textSize.y) * 0.5f),
                  textColour, text);
    return width;
}

bool StyledButton(const char* label, ImU32 textColour, ImU32 fill, ImU32 hover, ImVec2 size) {
    PushUiFont(1, 12);
    ImGui::PushStyleColor(ImGuiCol_Button, fill);
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, hover);
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, hover);
    ImGui::PushStyleColor(ImGuiCol_Text, textColour);
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(Scaled(14), Scaled(9)));
    ImGui::PushStyleVar(ImGuiStyleVar_FrameRounding, Scaled(8));
    const bool clicked = ImGui::Button(label, size);
    ImGui::PopStyleVar(2);
    ImGui::PopStyleColor(4);
    PopUiFont();
    return clicked;
}

void KeyValueRow(const char* label, const char* value, float width) {
    const ImVec2 p = ImGui::GetCursorScreenPos();
    ImGui::Dummy(ImVec2(width, Scaled(25)));
    PutWindowText(FontLabel, Scaled(10), ImVec2(p.x, p.y + Scaled(7)), ColTextMuted, label);
    const std::string shown = TruncateWithEllipsis(value, FontBody, 12, width - Scaled(150));
    const float valueSize = Scaled(12);
    const float valueWidth = TextSize(FontBody, valueSize, shown).x;
    PutWindowText(FontBody, valueSize, ImVec2(p.x + width - valueWidth, p.y + Scaled(4)), ColText,
                  shown);
}

std::string TruncateWithEllipsis(std::string_view text, ImFont* font, float size, float maxWidth) {
    if (maxWidth <= 0)
        return {};
    const float scaled = Scaled(size);
    if (TextSize(font, scaled, text).x <= maxWidth)
        return std::string(text);
    std::string cut(text);
    while (!cut.empty() && TextSize(font, scaled, cut + "...").x > maxWidth) {
        // A whole character at a time, so the result stays valid UTF-8.
        char removed = 0;
        do {
            removed = cut.back();
            cut.pop_back();
        } while (!cut.empty() && IsContinuationByte(removed));
    }
    return cut + "...";
}
