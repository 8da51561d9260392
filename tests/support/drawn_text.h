// Reads back the texts a draw list shows: every glyph quad is matched, by its atlas
// coordinates, with the baked glyph it came from, and neighbouring glyphs of one colour on one
// baseline are joined into runs, with spaces put back from the gaps between them.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct DrawnText {
    std::string text;
    ImVec2 position;  // where the text was drawn: its pen position at the first glyph
    ImU32 colour = 0;
};

namespace drawn_text_detail {

struct GlyphInfo {
    unsigned codepoint = 0;
    float x0 = 0, y0 = 0, x1 = 0;
    float u1 = 0, v1 = 0;
    float advance = 0;
    float space = 0;  // the advance of a space at the same size
};

inline std::map<std::pair<float, float>, GlyphInfo> BakedGlyphs() {
    std::map<std::pair<float, float>, GlyphInfo> glyphs;
    const ImFontAtlas* atlas = ImGui::GetIO().Fonts;
    if (atlas->Builder == nullptr)
        return glyphs;
    const auto& pool = atlas->Builder->BakedPool;
    for (int b = 0; b < pool.Size; ++b) {
        const ImFontBaked& baked = pool[b];
        if (baked.WantDestroy)
            continue;
        float space = baked.Size * 0.5f;
        for (const ImFontGlyph& glyph : baked.Glyphs) {
            if (glyph.Codepoint == ' ')
                space = glyph.AdvanceX;
        }
        for (const ImFontGlyph& glyph : baked.Glyphs) {
            if (!glyph.Visible)
                continue;
            glyphs[{glyph.U0, glyph.V0}] = {glyph.Codepoint, glyph.X0, glyph.Y0,       glyph.X1,
                                            glyph.U1,        glyph.V1, glyph.AdvanceX, space};
        }
    }
    return glyphs;
}

}  // namespace drawn_text_detail

// In drawing order. Call after the frame; glyphs baked since are matched too.
inline std::vector<DrawnText> DrawnTexts(const ImDrawList* list) {
    const auto glyphs = drawn_text_detail::BakedGlyphs();
    std::vector<DrawnText> texts;
    const ImVector<ImDrawVert>& vertices = list->VtxBuffer;
    float nextPen = 0;
    float space = 0;
    int runEnd = -1;  // the vertex after the current run's last glyph
    for (int i = 0; i + 3 < vertices.Size;) {
        const ImDrawVert& corner = vertices[i];
        const auto found = glyphs.find({corner.uv.x, corner.uv.y});
        const ImDrawVert& opposite = vertices[i + 2];
        if (found == glyphs.end() || opposite.uv.x != found->second.u1 ||
            opposite.uv.y != found->second.v1 || vertices[i + 1].uv.y != corner.uv.y) {
            ++i;
            continue;
        }
        const drawn_text_detail::GlyphInfo& glyph = found->second;
        const float width = glyph.x1 - glyph.x0;
        const float scale = width > 0 ? (opposite.pos.x - corner.pos.x) / width : 1.0f;
        const ImVec2 pen(corner.pos.x - glyph.x0 * scale, corner.pos.y - glyph.y0 * scale);
        char utf8[5] = {};
        ImTextCharToUtf8(utf8, glyph.codepoint);
        const float gap = pen.x - nextPen;
        const bool continues = runEnd == i && !texts.empty() && texts.back().colour == corner.col &&
                               std::fabs(texts.back().position.y - pen.y) < 0.5f && gap > -0.5f &&
                               gap < 4 * space;
        if (continues) {
            const int spaces = static_cast<int>(std::lround(gap / space));
            texts.back().text.append(static_cast<std::size_t>(spaces > 0 ? spaces : 0), ' ');
            texts.back().text += utf8;
        } else {
            texts.push_back({utf8, pen, corner.col});
        }
        space = glyph.space * scale;
        nextPen = pen.x + glyph.advance * scale;
        i += 4;
        runEnd = i;
    }
    return texts;
}

// The texts of one colour, in drawing order.
inline std::vector<std::string> DrawnTextsOfColour(const ImDrawList* list, ImU32 colour) {
    std::vector<std::string> texts;
    for (const DrawnText& text : DrawnTexts(list)) {
        if (text.colour == colour)
            texts.push_back(text.text);
    }
    return texts;
}
