#include "ui/fonts.h"

#include "platform/files.h"
#include "platform/resources.h"

namespace {

struct FontSlot {
    ImFont** handle;
    int resource;
    float sizePixels;
    const char* fallbacks[2];
};

const FontSlot kSlots[] = {
    {&FontBody,
     kResourceInterMedium,
     18.0f,
     {"C:\\Windows\\Fonts\\segoeui.ttf", "C:\\Windows\\Fonts\\SegUIVar.ttf"}},
    {&FontSemibold,
     kResourceInterSemiBold,
     18.0f,
     {"C:\\Windows\\Fonts\\seguisb.ttf", "C:\\Windows\\Fonts\\segoeuib.ttf"}},
    {&FontLabel,
     kResourceInterMedium,
     15.0f,
     {"C:\\Windows\\Fonts\\CascadiaMono.ttf", "C:\\Windows\\Fonts\\consola.ttf"}},
    {&FontDisplay,
     kResourceInterDisplayBold,
     34.0f,
     {"C:\\Windows\\Fonts\\bahnschrift.ttf", "C:\\Windows\\Fonts\\seguisb.ttf"}},
};

bool IsLoadableFile(const char* path) {
    const std::uint32_t attributes = platform::FileAttributes(path);
    return attributes != platform::kInvalidFileAttributes &&
           (attributes & platform::kFileAttributeDirectory) == 0;
}

ImFont* LoadFallback(ImFontAtlas* atlas, const FontSlot& slot) {
    for (const char* path : slot.fallbacks) {
        if (!IsLoadableFile(path))
            continue;
        if (ImFont* font = atlas->AddFontFromFileTTF(path, slot.sizePixels))
            return font;
    }
    return atlas->AddFontDefault();
}

}  // namespace

ImFont* LoadResourceFont(ImFontAtlas* atlas, int id, float sizePixels, const ImFontConfig& config) {
    const std::span<const std::uint8_t> bytes = platform::RcDataResource(id);
    if (bytes.size() < 16)
        return nullptr;
    ImFontConfig copy = config;
    // The bytes belong to the executable's resource section.
    copy.FontDataOwnedByAtlas = false;
    return atlas->AddFontFromMemoryTTF(const_cast<std::uint8_t*>(bytes.data()),
                                       static_cast<int>(bytes.size()), sizePixels, &copy);
}

void LoadFonts() {
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    ImFontConfig config;
    config.PixelSnapH = false;
    config.OversampleH = 2;
    config.OversampleV = 1;
    config.FontDataOwnedByAtlas = false;
    for (const FontSlot& slot : kSlots) {
        *slot.handle = LoadResourceFont(io.Fonts, slot.resource, slot.sizePixels, config);
    }
    for (const FontSlot& slot : kSlots) {
        if (*slot.handle == nullptr)
            *slot.handle = LoadFallback(io.Fonts, slot);
    }
    io.FontDefault = FontBody;
}
