#include "support/platform_kind.h"

bool RunningUnderWine() { return false; }
