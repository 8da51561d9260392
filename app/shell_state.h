// Shell state shared by the whole interface for the life of the process.
#pragma once

// The page drawn in the body: 0 Dashboard, 1 Tweaks, 2 Network, 3 Debloat, 4 Profiles, 5 Log.
inline int CurrentPage = 0;
