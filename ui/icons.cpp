#include "ui/icons.h"

#include <cmath>
#include <initializer_list>

#include "ui/palette.h"
#include "ui/scale.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kDotSegments = 12;

// Places offsets given in units of half the icon's size around its centre.
class Grid {
  public:
    Grid(ImVec2 center, float half) : center_(center), half_(half) {}
    ImVec2 operator()(float x, float y) const {
        return ImVec2(center_.x + x * half_, center_.y + y * half_);
    }
    float Length(float units) const { return units * half_; }

  private:
    ImVec2 center_;
    float half_;
};

ImVec2 OnCircle(ImVec2 origin, float radius, float angle) {
    return ImVec2(origin.x + radius * std::cos(angle), origin.y + radius * std::sin(angle));
}

void DrawGauge(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    const ImVec2 dial = at(0, 0.3f);
    const float radius = at.Length(0.86f);
    draw->PathArcTo(dial, radius, kPi, 2 * kPi, 28);
    draw->PathStroke(colour, 0, stroke);
    // The needle points up and to the right, well into the dial's upper half.
    draw->AddLine(dial, OnCircle(dial, 0.62f * radius, 5.4035f), colour, stroke);
    draw->AddCircleFilled(dial, 1.6f * stroke, colour, kDotSegments);
    for (const float angle : {kPi, 1.5f * kPi, 2 * kPi}) {
        draw->AddLine(OnCircle(dial, 0.78f * radius, angle), OnCircle(dial, 0.94f * radius, angle),
                      WithAlpha(colour, 0x80), stroke);
    }
}

void DrawSliders(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    constexpr float kRails[] = {-0.58f, 0.0f, 0.58f};
    constexpr float kKnobs[] = {0.16f, -0.22f, 0.34f};
    for (int i = 0; i < 3; ++i) {
        draw->AddLine(at(-0.78f, kRails[i]), at(0.78f, kRails[i]), WithAlpha(colour, 0x8C), stroke);
        draw->AddCircleFilled(at(kKnobs[i], kRails[i]), 2.1f * stroke, colour, kDotSegments);
    }
}

void DrawGlobe(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    const ImVec2 middle = at(0, 0);
    draw->AddCircle(middle, at.Length(0.82f), colour, 24, stroke);
    draw->AddEllipse(middle, ImVec2(at.Length(0.3772f), at.Length(0.82f)), colour, 0.0f, 24,
                     stroke);
    draw->AddLine(at(-0.82f, 0), at(0.82f, 0), WithAlpha(colour, 0xB8), stroke);
    for (const float y : {-0.41f, 0.41f})
        draw->AddLine(at(-0.7052f, y), at(0.7052f, y), WithAlpha(colour, 0x73), stroke);
}

void DrawBroom(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    draw->AddLine(at(0.72f, -0.78f), at(-0.02f, 0.04f), colour, 1.25f * stroke);
    const ImVec2 head[] = {at(-0.22f, -0.02f), at(0.16f, 0.16f), at(-0.10f, 0.74f),
                           at(-0.56f, 0.36f)};
    draw->AddConvexPolyFilled(head, 4, WithAlpha(colour, 0xD9));
    // The binding is a dark band across the head, black whatever the icon's colour.
    draw->AddLine(at(-0.30f, 0.22f), at(-0.02f, 0.42f), Rgba(0x0000008C), stroke);
}

void DrawLayers(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    for (int i = 0; i < 3; ++i) {
        const float y = -0.42f + 0.4f * static_cast<float>(i);
        const ImVec2 diamond[] = {at(0, y - 0.22f), at(0.74f, y), at(0, y + 0.22f), at(-0.74f, y)};
        draw->AddPolyline(diamond, 4, i == 0 ? colour : WithAlpha(colour, 0x8C), ImDrawFlags_Closed,
                          stroke);
    }
}

void DrawTerminal(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    draw->AddRect(at(-0.82f, -0.66f), at(0.82f, 0.66f), colour, at.Length(0.2f), 0, stroke);
    draw->AddLine(at(-0.5f, -0.22f), at(-0.22f, 0), colour, stroke);
    draw->AddLine(at(-0.22f, 0), at(-0.5f, 0.22f), colour, stroke);
    draw->AddLine(at(-0.04f, 0.3f), at(0.44f, 0.3f), WithAlpha(colour, 0xCC), stroke);
}

void DrawShield(ImDrawList* draw, const Grid& at, ImU32 colour, float stroke) {
    const ImVec2 outline[] = {at(0, -0.84f), at(0.72f, -0.5f),  at(0.62f, 0.28f),
                              at(0, 0.86f),  at(-0.62f, 0.28f), at(-0.72f, -0.5f)};
    draw->AddPolyline(outline, 6, colour, ImDrawFlags_Closed, stroke);
    draw->AddLine(at(-0.26f, 0.02f), at(-0.05f, 0.22f), colour, stroke);
    draw->AddLine(at(-0.05f, 0.22f), at(0.34f, -0.24f), colour, stroke);
}

}  // namespace

void DrawIcon(ImDrawList* drawList, ImVec2 center, float size, int id, ImU32 colour,
              float thickness) {
    // Dear ImGui skips each transparent primitive itself, but the secondary strokes set an
    // alpha of their own and the broom's binding is black: they would still show.
    if ((colour & IM_COL32_A_MASK) == 0)
        return;
    const Grid at(center, size * 0.5f);
    // The stroke width follows the screen's scale, not the icon's size.
    const float stroke = thickness * UiScale;
    switch (id) {
        case kIconGauge:
            DrawGauge(drawList, at, colour, stroke);
            break;
        case kIconSliders:
            DrawSliders(drawList, at, colour, stroke);
            break;
        case kIconGlobe:
            DrawGlobe(drawList, at, colour, stroke);
            break;
        case kIconBroom:
            DrawBroom(drawList, at, colour, stroke);
            break;
        case kIconLayers:
            DrawLayers(drawList, at, colour, stroke);
            break;
        case kIconTerminal:
            DrawTerminal(drawList, at, colour, stroke);
            break;
        case kIconShield:
            DrawShield(drawList, at, colour, stroke);
            break;
        case kIconClose:
            drawList->AddLine(at(-0.42f, -0.42f), at(0.42f, 0.42f), colour, stroke);
            drawList->AddLine(at(0.42f, -0.42f), at(-0.42f, 0.42f), colour, stroke);
            break;
        case kIconMinimize:
            drawList->AddLine(at(-0.44f, 0), at(0.44f, 0), colour, stroke);
            break;
        case kIconMaximize:
            // Its corners' rounding follows the screen's scale, not the icon's size.
            drawList->AddRect(at(-0.36f, -0.36f), at(0.36f, 0.36f), colour, 1.5f * UiScale, 0,
                              stroke);
            break;
        default:
            // Ids 6-9, 11-14 and 18-21 are reserved for glyphs no screen draws yet.
            if (id < 0 || id > 21)
                drawList->AddCircleFilled(center, at.Length(0.28f), colour, kDotSegments);
            break;
    }
}
