#include "state/refusal.h"

#include <cstdio>

#include "state/text.h"

namespace {

std::string CodeText(std::uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, code >= 0x80000000u ? "0x%08X" : "%u", unsigned{code});
    return text;
}

}  // namespace

std::string Refusal::Text() const {
    switch (kind_) {
        case RefusalKind::Call:
            return std::string(what_) + ": error " + CodeText(code_);
        case RefusalKind::ToolExit:
            return ToUtf8(tool_) + ": exit code " + CodeText(code_);
        case RefusalKind::ToolError:
            return ToUtf8(tool_) + ": error " + CodeText(code_);
        case RefusalKind::Own:
            break;
    }
    return std::string(what_);
}
