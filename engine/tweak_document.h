// docs/tweaks.md, rendered from the catalog and the table of what each tweak changes, so the
// document cannot drift from what the engine does.
#pragma once

#include <string>

std::string RenderTweakDocument();
