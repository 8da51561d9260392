#include "shell/page_table.h"

const PageEntry* PageAt(int page) {
    if (page < 0 || page >= static_cast<int>(kPageTable.size()))
        return nullptr;
    return &kPageTable[static_cast<std::size_t>(page)];
}
