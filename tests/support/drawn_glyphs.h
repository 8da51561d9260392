// Reads back the text a draw list shows: each glyph quad is recognised by its place in the
// font atlas, so a test can assert the words a user would read at a place on the screen.
// Read a frame drawn after an identical one: a glyph baked for the first time may grow the
// atlas and move the glyphs drawn before it in that frame.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

struct DrawnGlyph {
    unsigned int codepoint = 0;
    ImRect box;         // the quad on the screen
    ImVec2 pen;         // where the text's pen stood for this glyph
    float advance = 0;  // to the next glyph's pen
    float space = 0;    // the advance of a space in the same font and size
};

// Every glyph drawn in `colour` whose quad's centre lies inside `region`, in drawing order.
// A quad that matches no glyph of the atlas has codepoint 0xFFFD.
inline std::vector<DrawnGlyph> DrawnGlyphs(const ImDrawList* list, ImU32 colour,
                                           const ImRect& region) {
    // Copies: nothing here may load a glyph, which could move the atlas and its glyphs.
    struct Known {
        ImFontGlyph glyph;
        float space;  // the advance of a space at this size, when one was drawn
    };
    std::vector<Known> known;
    ImFontAtlasBuilder* builder = ImGui::GetIO().Fonts->Builder;
    for (int i = 0; builder != nullptr && i < builder->BakedPool.Size; ++i) {
        ImFontBaked& baked = builder->BakedPool[i];
        if (baked.WantDestroy)
            continue;
        float space = 0;
        const unsigned int spaceIndex = ' ';
        if (spaceIndex < static_cast<unsigned int>(baked.IndexLookup.Size)) {
            const ImU16 index = baked.IndexLookup[static_cast<int>(spaceIndex)];
            if (index < baked.Glyphs.Size)
                space = baked.Glyphs[index].AdvanceX;
        }
        for (const ImFontGlyph& glyph : baked.Glyphs) {
            if (glyph.Visible)
                known.push_back({glyph, space});
        }
    }
    std::vector<DrawnGlyph> glyphs;
    const ImVector<ImDrawVert>& vertices = list->VtxBuffer;
    // A glyph is four vertices: top-left, top-right, bottom-right, bottom-left.
    for (int i = 0; i + 3 < vertices.Size; ++i) {
        const ImDrawVert& topLeft = vertices[i];
        const ImDrawVert& bottomRight = vertices[i + 2];
        if (topLeft.col != colour || bottomRight.col != colour)
            continue;
        const ImRect box(topLeft.pos, bottomRight.pos);
        if (!region.Contains(box.GetCenter()) || box.GetWidth() <= 0 || box.GetHeight() <= 0)
            continue;
        const auto match = std::find_if(known.begin(), known.end(), [&](const Known& k) {
            return k.glyph.U0 == topLeft.uv.x && k.glyph.V0 == topLeft.uv.y &&
                   k.glyph.U1 == bottomRight.uv.x && k.glyph.V1 == bottomRight.uv.y;
        });
        if (match == known.end()) {
            // Shaped like a glyph quad, with an extent in the atlas (unlike the white pixel
            // of filled shapes), yet no glyph of the atlas: an unknown character.
            const ImDrawVert& topRight = vertices[i + 1];
            const ImDrawVert& bottomLeft = vertices[i + 3];
            const bool quad =
                topRight.col == colour && bottomLeft.col == colour &&
                topRight.pos.x == bottomRight.pos.x && topRight.pos.y == topLeft.pos.y &&
                bottomLeft.pos.x == topLeft.pos.x && bottomLeft.pos.y == bottomRight.pos.y &&
                topRight.uv.x == bottomRight.uv.x && topRight.uv.y == topLeft.uv.y &&
                topLeft.uv.x != bottomRight.uv.x && topLeft.uv.y != bottomRight.uv.y;
            if (quad) {
                glyphs.push_back({0xFFFD, box, box.Min, box.GetWidth(), box.GetWidth()});
                i += 3;
            }
            continue;
        }
        const ImFontGlyph& g = match->glyph;
        const float scale = (g.X1 > g.X0) ? box.GetWidth() / (g.X1 - g.X0) : 1.0f;
        DrawnGlyph drawn;
        drawn.codepoint = g.Codepoint;
        drawn.box = box;
        drawn.pen = ImVec2(box.Min.x - g.X0 * scale, box.Min.y - g.Y0 * scale);
        drawn.advance = g.AdvanceX * scale;
        drawn.space = (match->space > 0 ? match->space : g.AdvanceX) * scale;
        glyphs.push_back(drawn);
        i += 3;
    }
    return glyphs;
}

// The text drawn in `colour` inside `region`, line by line from the top ("\n" between
// lines), with the spaces the gaps between glyphs stand for. Non-ASCII glyphs read as '?'.
inline std::string TextDrawnIn(const ImDrawList* list, ImU32 colour, const ImRect& region) {
    std::vector<DrawnGlyph> glyphs = DrawnGlyphs(list, colour, region);
    std::stable_sort(glyphs.begin(), glyphs.end(), [](const DrawnGlyph& a, const DrawnGlyph& b) {
        if (std::fabs(a.pen.y - b.pen.y) > 0.5f)
            return a.pen.y < b.pen.y;
        return a.pen.x < b.pen.x;
    });
    std::string text;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const DrawnGlyph& glyph = glyphs[i];
        if (i > 0) {
            const DrawnGlyph& previous = glyphs[i - 1];
            if (std::fabs(glyph.pen.y - previous.pen.y) > 0.5f) {
                text += '\n';
            } else {
                const float gap = glyph.pen.x - (previous.pen.x + previous.advance);
                const long spaces = std::lround(gap / previous.space);
                text.append(static_cast<std::size_t>(std::max(0L, spaces)), ' ');
            }
        }
        text += glyph.codepoint < 0x80 ? static_cast<char>(glyph.codepoint) : '?';
    }
    return text;
}

// The box around the glyphs DrawnGlyphs finds; inverted when there are none.
inline ImRect TextDrawnInBox(const ImDrawList* list, ImU32 colour, const ImRect& region) {
    ImRect box(FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX);
    for (const DrawnGlyph& glyph : DrawnGlyphs(list, colour, region))
        box.Add(glyph.box);
    return box;
}
