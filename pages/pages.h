// The six pages, each drawn afresh every frame from the shared records inside the frame's
// scrolling body. Each takes the body's content width.
#pragma once

void DrawDashboardPage(float width);
void DrawTweaksPage(float width);
void DrawNetworkPage(float width);
void DrawDebloatPage(float width);
void DrawProfilesPage(float width);
void DrawSessionPage(float width);
