// The drawing helpers the frame and the pages share: fonts by kind, styled text, cards,
// section headers, badges, buttons, label/value rows and text cut to a width. Each is
// stateless and reads only the UI scale and the four font handles.
#pragma once

#include <imgui.h>

#include <string>
#include <string_view>

// A layout size at the UI scale.
float Scaled(float value);
// The size of `text` in `font` at `pixelSize` (already scaled), without wrapping.
ImVec2 TextSize(ImFont* font, float pixelSize, std::string_view text);
// `text` in `font` at `pixelSize` (already scaled) into the draw list.
void PutText(ImDrawList* drawList, ImFont* font, float pixelSize, ImVec2 position, ImU32 colour,
             std::string_view text);

// `text` in the label font at 9 × scale, the small upper-case labels of the interface.
void PutLabel(ImDrawList* drawList, ImVec2 position, ImU32 colour, std::string_view text);
// The same, ending at `right`.
void PutLabelRightAligned(ImDrawList* drawList, float right, float y, ImU32 colour,
                          std::string_view text);

// Kind 1 FontSemibold, 2 FontLabel, 3 FontDisplay, any other FontBody.
ImFont* FontOfKind(int kind);

// At `size` unscaled pixels; every push is popped in the same frame.
void PushUiFont(int kind, float size);
void PopUiFont();

// An ordinary text item in the font and colour given.
void TextStyled(int kind, float size, ImU32 colour, const char* format, ...) IM_FMTARGS(4);

// A rounded card with a hairline border and a faint top highlight; no item.
void DrawCard(ImVec2 position, ImVec2 size, ImU32 fill);

// The title in upper case, a rule, and the count at the right.
void SectionHeader(const char* title, int count, float width);

// A small pill; no item. Returns its width.
float DrawBadge(ImVec2 position, const char* text, ImU32 textColour, ImU32 fill);

// True on the frame the button is clicked (released over it).
[[nodiscard]] bool StyledButton(const char* label, ImU32 textColour, ImU32 fill, ImU32 hover,
                                ImVec2 size);

// A muted label on the left and the value, cut to fit, on the right.
void KeyValueRow(const char* label, const char* value, float width);

// The text, or as much of it as fits with "..." after it, at `size` unscaled pixels. Only
// whole UTF-8 characters are removed. Empty when maxWidth is not positive; "..." alone when
// nothing else fits.
std::string TruncateWithEllipsis(std::string_view text, ImFont* font, float size, float maxWidth);
