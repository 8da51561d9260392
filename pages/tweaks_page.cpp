// Drawn in the frame's body while its page is shown; an empty body until it is built.
#include "pages/pages.h"

void DrawTweaksPage(float) {}
