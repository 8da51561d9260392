#include "app/frame_facts.h"

#include <imgui_internal.h>

#include <algorithm>
#include <cstring>

namespace {

// Four lanes of (state ^ word) × odd constant over 64-bit words, then mixed together.
// Each step is a bijection of the state, so frames that differ in a single word always get
// different lane states; the lanes keep the multiplications independent for speed.
class Hasher {
  public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (; size >= sizeof lanes_; bytes += sizeof lanes_, size -= sizeof lanes_) {
            std::uint64_t words[kLanes];
            std::memcpy(words, bytes, sizeof words);
            for (int lane = 0; lane < kLanes; ++lane)
                lanes_[lane] = (lanes_[lane] ^ words[lane]) * kMultiplier;
        }
        while (size > 0) {
            const std::size_t take = std::min(size, sizeof(std::uint64_t));
            std::uint64_t word = 0;
            std::memcpy(&word, bytes, take);
            lanes_[0] = (lanes_[0] ^ word) * kMultiplier;
            bytes += take;
            size -= take;
        }
    }
    template <typename Value>
    void AddValue(const Value& value) {
        Add(&value, sizeof value);
    }
    std::uint64_t Finish() const {
        std::uint64_t result = 0;
        for (const std::uint64_t lane : lanes_)
            result = Mix(result ^ lane);
        return result;
    }

  private:
    static constexpr int kLanes = 4;
    static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;  // odd
    // The finaliser of SplitMix64, itself a bijection.
    static std::uint64_t Mix(std::uint64_t x) {
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    }
    std::uint64_t lanes_[kLanes] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull,
                                    0xA4093822299F31D0ull, 0x082EFA98EC4E6C89ull};
};

bool TexturesWaiting(const ImDrawData& data) {
    if (data.Textures == nullptr)
        return false;
    for (const ImTextureData* texture : *data.Textures) {
        if (texture->Status != ImTextureStatus_OK && texture->Status != ImTextureStatus_Destroyed)
            return true;
    }
    return false;
}

}  // namespace

std::optional<std::uint64_t> DrawDataSignature(const ImDrawData& data) {
    if (TexturesWaiting(data))
        return std::nullopt;
    Hasher hasher;
    hasher.AddValue(data.DisplayPos);
    hasher.AddValue(data.DisplaySize);
    hasher.AddValue(data.FramebufferScale);
    hasher.AddValue(data.CmdListsCount);
    for (const ImDrawList* list : data.CmdLists) {
        hasher.AddValue(list->VtxBuffer.Size);
        hasher.Add(list->VtxBuffer.Data, list->VtxBuffer.size_in_bytes());
        hasher.AddValue(list->IdxBuffer.Size);
        hasher.Add(list->IdxBuffer.Data, list->IdxBuffer.size_in_bytes());
        hasher.AddValue(list->CmdBuffer.Size);
        for (const ImDrawCmd& command : list->CmdBuffer) {
            hasher.AddValue(command.ClipRect);
            hasher.AddValue(command.TexRef._TexData);
            hasher.AddValue(command.TexRef._TexID);
            hasher.AddValue(command.VtxOffset);
            hasher.AddValue(command.IdxOffset);
            hasher.AddValue(command.ElemCount);
            hasher.AddValue(command.UserCallback);
            hasher.AddValue(command.UserCallbackData);
        }
    }
    return hasher.Finish();
}

bool InputActive() {
    const ImGuiContext& context = *ImGui::GetCurrentContext();
    if (!context.InputEventsQueue.empty())
        return true;
    for (const ImGuiKeyData& key : context.IO.KeysData) {
        if (key.Down)
            return true;
    }
    return ImGui::IsAnyMouseDown();
}
