// The icon painter in headless Dear ImGui frames, judged by the vertices it leaves in the
// draw list: each glyph's extent, the width of its strokes, the colours of its parts, and the
// ids and colours that draw nothing.
//
// Dear ImGui anti-aliases every edge with a fringe of transparent vertices. For stroke widths
// above one pixel that are not whole numbers (whole ones take a textured path with a wider
// margin), a stroke's outermost vertices lie half a fringe beyond its edge, and a filled
// shape's half a fringe beyond its outline. The widths here are 1.3 and 1.3 x 1.25, so every
// outer vertex is known to a float's precision and the tolerances are a hundredth of a pixel.
#include <gtest/gtest.h>

#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <cstdint>
#include <set>
#include <vector>

#include "support/headless_imgui.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/palette.h"
#include "ui/shell_state.h"

namespace {

constexpr ImVec2 kCentre(200, 150);
constexpr float kThickness = 1.3f;
constexpr float kTolerance = 0.01f;
constexpr float kHalfRootTwo = 0.70710678f;

struct Box {
    float left = FLT_MAX;
    float top = FLT_MAX;
    float right = -FLT_MAX;
    float bottom = -FLT_MAX;
    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
};

// What one call added to the draw list.
struct Drawn {
    std::vector<ImDrawVert> vertices;
    float fringe = 0;  // the draw list's anti-aliasing fringe, one pixel at 1:1

    Box Bounds() const {
        Box box;
        for (const ImDrawVert& vertex : vertices) {
            box.left = std::min(box.left, vertex.pos.x);
            box.top = std::min(box.top, vertex.pos.y);
            box.right = std::max(box.right, vertex.pos.x);
            box.bottom = std::max(box.bottom, vertex.pos.y);
        }
        return box;
    }
    // The colours of the vertices that show; the fringe's are fully transparent.
    std::set<ImU32> VisibleColours() const {
        std::set<ImU32> colours;
        for (const ImDrawVert& vertex : vertices) {
            if ((vertex.col & IM_COL32_A_MASK) != 0)
                colours.insert(vertex.col);
        }
        return colours;
    }
};

// #RRGGBB with the alpha given.
ImU32 Colour(std::uint32_t rgb, std::uint32_t alpha) {
    return Rgba((rgb << 8) | alpha);
}

class IconsTest : public ::testing::TestWithParam<float> {
  protected:
    HeadlessImGui imgui{ImVec2(1120, 720), GetParam()};

    // The stroke width in pixels at this UI scale.
    static float Stroke() { return kThickness * GetParam(); }
    // Draws one icon in a frame, inside a window covering the display.
    static Drawn Draw(int id, float size, ImU32 colour = ColAccent) {
        Drawn drawn;
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin("##test", nullptr, ImGuiWindowFlags_NoDecoration);
        ImDrawList* list = ImGui::GetWindowDrawList();
        const int before = list->VtxBuffer.Size;
        DrawIcon(list, kCentre, size, id, colour, kThickness);
        drawn.vertices.assign(list->VtxBuffer.begin() + before, list->VtxBuffer.end());
        drawn.fringe = list->_FringeScale;
        ImGui::End();
        ImGui::Render();
        return drawn;
    }
};

TEST_P(IconsTest, EachGlyphSpansItsShapeInUnitsOfHalfItsSize) {
    // The outermost points of each shape, as offsets from the centre in units of half the
    // size (y grows downwards). Drawn at two sizes, every side moves by exactly that many
    // units of the added half-size: strokes, dots and fringes stay the same width and cancel.
    struct Extent {
        int id;
        float left, top, right, bottom;
    };
    const Extent extents[] = {
        {0, -0.86f, -0.56f, 0.86f, 0.3f},   // dial arc; its hub at the bottom
        {1, -0.78f, -0.58f, 0.78f, 0.58f},  // rails' ends; top and bottom knobs
        {2, -0.82f, -0.82f, 0.82f, 0.82f},  // outline and meridian
        {3, -0.56f, -0.78f, 0.72f, 0.74f},  // head on the left and bottom, handle above
        {4, -0.74f, -0.64f, 0.74f, 0.6f},   // top and bottom diamonds
        {5, -0.82f, -0.66f, 0.82f, 0.66f},  // frame
        {kIconShield, -0.72f, -0.84f, 0.72f, 0.86f},
        {kIconClose, -0.42f, -0.42f, 0.42f, 0.42f},
        {kIconMinimize, -0.44f, 0, 0.44f, 0},
        {kIconMaximize, -0.36f, -0.36f, 0.36f, 0.36f},
        {22, -0.28f, -0.28f, 0.28f, 0.28f},  // any id past the last: a dot
        {-1, -0.28f, -0.28f, 0.28f, 0.28f},
    };
    constexpr float kSmall = 40;
    constexpr float kLarge = 80;
    constexpr float kAddedHalf = (kLarge - kSmall) / 2;
    for (const Extent& extent : extents) {
        SCOPED_TRACE(::testing::Message() << "icon " << extent.id);
        const Drawn small = Draw(extent.id, kSmall);
        const Drawn large = Draw(extent.id, kLarge);
        ASSERT_FALSE(small.vertices.empty());
        const Box a = small.Bounds();
        const Box b = large.Bounds();
        EXPECT_NEAR(b.left - a.left, extent.left * kAddedHalf, kTolerance);
        EXPECT_NEAR(b.top - a.top, extent.top * kAddedHalf, kTolerance);
        EXPECT_NEAR(b.right - a.right, extent.right * kAddedHalf, kTolerance);
        EXPECT_NEAR(b.bottom - a.bottom, extent.bottom * kAddedHalf, kTolerance);
    }
}

TEST_P(IconsTest, StrokesAreTheThicknessTimesTheScaleWhateverTheSize) {
    // Past the stroke's edge by half a fringe, at every size.
    const auto reach = [](const Drawn& drawn) { return Stroke() / 2 + drawn.fringe / 2; };

    // Dear ImGui draws lines through pixel centres: half a pixel right of and below the
    // points given. The cross's strokes are diagonal, so their reach shows 1/sqrt(2) of it.
    const Drawn cross = Draw(kIconClose, 12);
    const Box crossBox = cross.Bounds();
    const float crossHalf = 0.42f * 6 + reach(cross) * kHalfRootTwo;
    EXPECT_NEAR(crossBox.left, kCentre.x + 0.5f - crossHalf, kTolerance);
    EXPECT_NEAR(crossBox.right, kCentre.x + 0.5f + crossHalf, kTolerance);
    EXPECT_NEAR(crossBox.top, kCentre.y + 0.5f - crossHalf, kTolerance);
    EXPECT_NEAR(crossBox.bottom, kCentre.y + 0.5f + crossHalf, kTolerance);

    // The dash is as tall as its stroke at any length; its ends are cut square.
    for (const float size : {12.0f, 48.0f}) {
        SCOPED_TRACE(::testing::Message() << "dash of size " << size);
        const Drawn dash = Draw(kIconMinimize, size);
        const Box box = dash.Bounds();
        EXPECT_NEAR(box.Height(), 2 * reach(dash), kTolerance);
        EXPECT_NEAR(box.Width(), 0.88f * size / 2, kTolerance);
    }

    // The dot is filled and centred; on a twelve-sided fill the fringe's outer vertices sit
    // on the corners' bisectors, 1/cos 15 degrees further out than on the edges.
    const Drawn dot = Draw(22, 12);
    const Box dotBox = dot.Bounds();
    const float dotHalf = 0.28f * 6 + dot.fringe / 2 / std::cos(3.14159265f / 12);
    EXPECT_NEAR(dotBox.left, kCentre.x - dotHalf, kTolerance);
    EXPECT_NEAR(dotBox.right, kCentre.x + dotHalf, kTolerance);
    EXPECT_NEAR(dotBox.top, kCentre.y - dotHalf, kTolerance);
    EXPECT_NEAR(dotBox.bottom, kCentre.y + dotHalf, kTolerance);

    // The square's corners are rounded by the same few pixels at every size: the nearest
    // vertex to its bounding box's corner is as far from it at twice the size, and not on it.
    const auto cornerCut = [](const Drawn& drawn) {
        const Box box = drawn.Bounds();
        float nearest = FLT_MAX;
        for (const ImDrawVert& vertex : drawn.vertices) {
            nearest =
                std::min(nearest, std::hypot(vertex.pos.x - box.left, vertex.pos.y - box.top));
        }
        return nearest;
    };
    const float cutSmall = cornerCut(Draw(kIconMaximize, 24));
    const float cutLarge = cornerCut(Draw(kIconMaximize, 48));
    EXPECT_GT(cutSmall, 0.5f);
    EXPECT_NEAR(cutSmall, cutLarge, kTolerance);
}

TEST_P(IconsTest, SecondaryStrokesTakeTheColourWithAnAlphaOfTheirOwn) {
    // The alphas replace the colour's own, so they hold for a faint colour too.
    struct Parts {
        int id;
        std::vector<std::uint32_t> secondaryAlphas;
        bool blackBinding;
    };
    const Parts parts[] = {
        {0, {0x80}, false},        // ticks
        {1, {0x8C}, false},        // rails
        {2, {0xB8, 0x73}, false},  // equator, parallels
        {3, {0xD9}, true},         // head; the binding is black whatever the colour
        {4, {0x8C}, false},        // lower diamonds
        {5, {0xCC}, false},        // cursor
        {kIconShield, {}, false},   {kIconClose, {}, false}, {kIconMinimize, {}, false},
        {kIconMaximize, {}, false}, {22, {}, false},
    };
    struct Base {
        std::uint32_t rgb;
        std::uint32_t alpha;
    };
    const Base bases[] = {{0xF5A524, 0xFF}, {0xFFFFFF, 0xFF}, {0x37E08B, 0x40}};
    for (const Parts& part : parts) {
        for (const Base& base : bases) {
            SCOPED_TRACE(::testing::Message()
                         << "icon " << part.id << " in #" << std::hex << base.rgb << base.alpha);
            std::set<ImU32> expected = {Colour(base.rgb, base.alpha)};
            for (const std::uint32_t alpha : part.secondaryAlphas)
                expected.insert(Colour(base.rgb, alpha));
            if (part.blackBinding)
                expected.insert(Colour(0x000000, 0x8C));
            EXPECT_EQ(Draw(part.id, 24, Colour(base.rgb, base.alpha)).VisibleColours(), expected);
        }
    }
}

TEST_P(IconsTest, ReservedIdsAndTransparentColoursDrawNothing) {
    for (const int id : {6, 7, 8, 9, 11, 12, 13, 14, 18, 19, 20, 21})
        EXPECT_TRUE(Draw(id, 24).vertices.empty()) << "icon " << id;
    // Including the parts with an alpha of their own and the broom's black binding.
    for (int id = -1; id <= 22; ++id)
        EXPECT_TRUE(Draw(id, 24, Colour(0xF5A524, 0)).vertices.empty()) << "icon " << id;
}

INSTANTIATE_TEST_SUITE_P(UiScales, IconsTest, ::testing::Values(1.0f, 1.25f));

}  // namespace
