// Reads back the text a draw list shows: each glyph quad is recognised by its place in the
// font atlas, so a test can assert the words a user would read at a place on the screen.
// Read a frame drawn after an identical one: a glyph baked for the first time may grow the
// atlas and move the glyphs drawn before it in that frame.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct DrawnGlyph {
    unsigned int codepoint = 0;
    ImRect box;         // the quad on the screen
    ImVec2 pen;         // where the text's pen stood for this glyph
    float advance = 0;  // to the next glyph's pen
    float space = 0;    // the advance of a space in the same font and size
    ImU32 colour = 0;
    int vertex = 0;  // the quad's first vertex in the list
};

// Every glyph quad of the list, in drawing order. A quad that matches no glyph of the atlas
// has codepoint 0xFFFD.
inline std::vector<DrawnGlyph> AllDrawnGlyphs(const ImDrawList* list) {
    // Copies: nothing here may load a glyph, which could move the atlas and its glyphs.
    struct Known {
        ImFontGlyph glyph;
        float space;  // the advance of a space at this size, when one was drawn
    };
    std::map<std::pair<float, float>, Known> known;  // by the glyph's top-left in the atlas
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
                known[{glyph.U0, glyph.V0}] = {glyph, space};
        }
    }
    std::vector<DrawnGlyph> glyphs;
    const ImVector<ImDrawVert>& vertices = list->VtxBuffer;
    // A glyph is four vertices of one colour: top-left, top-right, bottom-right, bottom-left.
    for (int i = 0; i + 3 < vertices.Size; ++i) {
        const ImDrawVert& topLeft = vertices[i];
        const ImDrawVert& topRight = vertices[i + 1];
        const ImDrawVert& bottomRight = vertices[i + 2];
        const ImDrawVert& bottomLeft = vertices[i + 3];
        const ImU32 colour = topLeft.col;
        const ImRect box(topLeft.pos, bottomRight.pos);
        if (bottomRight.col != colour || box.GetWidth() <= 0 || box.GetHeight() <= 0)
            continue;
        const auto match = known.find({topLeft.uv.x, topLeft.uv.y});
        if (match == known.end() || match->second.glyph.U1 != bottomRight.uv.x ||
            match->second.glyph.V1 != bottomRight.uv.y) {
            // Shaped like a glyph quad, with an extent in the atlas (unlike the white pixel
            // of filled shapes), yet no glyph of the atlas: an unknown character.
            const bool quad =
                topRight.col == colour && bottomLeft.col == colour &&
                topRight.pos.x == bottomRight.pos.x && topRight.pos.y == topLeft.pos.y &&
                bottomLeft.pos.x == topLeft.pos.x && bottomLeft.pos.y == bottomRight.pos.y &&
                topRight.uv.x == bottomRight.uv.x && topRight.uv.y == topLeft.uv.y &&
                topLeft.uv.x != bottomRight.uv.x && topLeft.uv.y != bottomRight.uv.y;
            if (quad) {
                glyphs.push_back({0xFFFD, box, box.Min, box.GetWidth(), box.GetWidth(), colour, i});
                i += 3;
            }
            continue;
        }
        const ImFontGlyph& g = match->second.glyph;
        const float scale = (g.X1 > g.X0) ? box.GetWidth() / (g.X1 - g.X0) : 1.0f;
        DrawnGlyph drawn;
        drawn.codepoint = g.Codepoint;
        drawn.box = box;
        drawn.pen = ImVec2(box.Min.x - g.X0 * scale, box.Min.y - g.Y0 * scale);
        drawn.advance = g.AdvanceX * scale;
        drawn.space = (match->second.space > 0 ? match->second.space : g.AdvanceX) * scale;
        drawn.colour = colour;
        drawn.vertex = i;
        glyphs.push_back(drawn);
        i += 3;
    }
    return glyphs;
}

// Every glyph drawn in `colour` whose quad's centre lies inside `region`, in drawing order.
inline std::vector<DrawnGlyph> DrawnGlyphs(const ImDrawList* list, ImU32 colour,
                                           const ImRect& region) {
    std::vector<DrawnGlyph> glyphs = AllDrawnGlyphs(list);
    glyphs.erase(std::remove_if(glyphs.begin(), glyphs.end(),
                                [&](const DrawnGlyph& glyph) {
                                    return glyph.colour != colour ||
                                           !region.Contains(glyph.box.GetCenter());
                                }),
                 glyphs.end());
    return glyphs;
}

// The spaces that the gap between two glyphs of one line stands for.
inline std::size_t SpacesBetween(const DrawnGlyph& previous, const DrawnGlyph& next) {
    const float gap = next.pen.x - (previous.pen.x + previous.advance);
    return static_cast<std::size_t>(std::max(0L, std::lround(gap / previous.space)));
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
        if (i > 0) {
            if (std::fabs(glyphs[i].pen.y - glyphs[i - 1].pen.y) > 0.5f)
                text += '\n';
            else
                text.append(SpacesBetween(glyphs[i - 1], glyphs[i]), ' ');
        }
        text += glyphs[i].codepoint < 0x80 ? static_cast<char>(glyphs[i].codepoint) : '?';
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

// One text as drawn: glyphs drawn one after the other in one colour on one baseline.
struct DrawnText {
    std::string text;
    ImVec2 position;  // the pen position at the first glyph
    ImU32 colour = 0;
    ImRect box;  // around the glyph quads: where the text shows
};

// In drawing order. Call after the frame; glyphs baked since are matched too.
inline std::vector<DrawnText> DrawnTexts(const ImDrawList* list) {
    std::vector<DrawnText> texts;
    const DrawnGlyph* previous = nullptr;
    for (const DrawnGlyph& glyph : AllDrawnGlyphs(list)) {
        if (glyph.codepoint == 0xFFFD) {
            previous = nullptr;
            continue;
        }
        char utf8[5] = {};
        ImTextCharToUtf8(utf8, glyph.codepoint);
        const float gap =
            previous != nullptr ? glyph.pen.x - (previous->pen.x + previous->advance) : 0;
        const bool continues = previous != nullptr && previous->vertex + 4 == glyph.vertex &&
                               previous->colour == glyph.colour &&
                               std::fabs(texts.back().position.y - glyph.pen.y) < 0.5f &&
                               gap > -0.5f && gap < 4 * previous->space;
        if (continues) {
            texts.back().text.append(SpacesBetween(*previous, glyph), ' ');
            texts.back().text += utf8;
            texts.back().box.Add(glyph.box);
        } else {
            texts.push_back({utf8, glyph.pen, glyph.colour, glyph.box});
        }
        previous = &glyph;
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
