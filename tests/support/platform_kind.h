// Which platform a test executable runs on, for the few cases where Wine is known to
// differ from Windows.
#pragma once

bool RunningUnderWine();
