// The pages' bodies are drawn here as they are built; until then a page shows the frame
// around an empty body.
#include "pages/pages.h"

void DrawDashboardPage(float) {}
void DrawTweaksPage(float) {}
void DrawNetworkPage(float) {}
void DrawDebloatPage(float) {}
void DrawProfilesPage(float) {}
void DrawSessionPage(float) {}
