// The six pages as the shell knows them, in sidebar order: the index is the ShellState's
// CurrentPage.
#pragma once

#include <array>

#include "pages/pages.h"

struct PageEntry {
    const char* title;    // the sidebar item and the header's title
    const char* caption;  // the header's caption, before the active tweak count
    int icon;             // the sidebar item's icon
    PageFunction draw;
};

extern const std::array<PageEntry, 6> kPageTable;

// Nullptr for an index outside the table.
const PageEntry* PageAt(int page);
