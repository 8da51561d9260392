// UTF-8 <-> UTF-16 with the replacement rules of the Windows conversion: each ill-formed
// piece of UTF-8 (a stray byte, or a lead byte with the continuation bytes that were valid
// so far) becomes one U+FFFD; an unpaired surrogate becomes EF BF BD.
#include "platform/text.h"

#include <cstdint>
#include <string>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Continuation bytes that follow a lead byte; 0 for bytes that cannot start a sequence.
int FollowingBytes(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return 0;
}

bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one code point at `at`, advancing past what it consumed.
char32_t DecodeOne(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    if (lead < 0x80)
        return lead;
    const int following = FollowingBytes(lead);
    if (following == 0)
        return kReplacement;
    static constexpr std::uint8_t kLeadMask[] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = lead & kLeadMask[following];
    for (int left = following; left > 0; --left) {
        if (at >= text.size() || !IsContinuation(static_cast<std::uint8_t>(text[at]))) {
            return kReplacement;
        }
        const char32_t next = (value << 6) | (static_cast<std::uint8_t>(text[at]) & 0x3F);
        // Beyond U+10FFFF: the byte that shows it is left for the next round.
        if (following == 3 && left == 2 && next >= (0x110000 >> 6))
            return kReplacement;
        value = next;
        ++at;
        if (following == 3 && left == 3 && value < 0x10)
            return kReplacement;  // overlong
        if (following >= 2 && left == 2 && value < 0x20)
            return kReplacement;  // overlong
        if (following == 2 && left == 2 && value >= 0x360 && value <= 0x37F) {
            return kReplacement;  // a surrogate encoded in UTF-8
        }
    }
    return value;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Stores units while they fit; counts all of them. Returns false once `out` is too small.
template <typename Unit>
class Sink {
  public:
    Sink(Unit* out, int capacity) : out_(out), capacity_(capacity) {}
    void Put(Unit unit) {
        if (capacity_ > 0 && count_ < capacity_)
            out_[count_] = unit;
        ++count_;
    }
    // The Windows calls write nothing useful and return 0 when the buffer is too small.
    int Result() const { return (capacity_ > 0 && count_ > capacity_) ? 0 : count_; }

  private:
    Unit* out_;
    int capacity_;
    int count_ = 0;
};

}  // namespace

int Utf8ToUtf16(std::string_view text, char16_t* out, int capacity) {
    Sink<char16_t> sink(out, capacity);
    std::size_t at = 0;
    while (at < text.size()) {
        const char32_t code = DecodeOne(text, at);
        if (code >= 0x10000) {
            sink.Put(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            sink.Put(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            sink.Put(static_cast<char16_t>(code));
        }
    }
    return sink.Result();
}

int Utf16ToUtf8(std::u16string_view text, char* out, int capacity) {
    Sink<char> sink(out, capacity);
    auto put = [&sink](unsigned value) { sink.Put(static_cast<char>(value)); };
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t code = text[at];
        if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[at + 1] - 0xDC00);
            ++at;
        } else if (IsHighSurrogate(text[at]) || IsLowSurrogate(text[at])) {
            code = kReplacement;
        }
        if (code < 0x80) {
            put(code);
        } else if (code < 0x800) {
            put(0xC0 | (code >> 6));
            put(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            put(0xE0 | (code >> 12));
            put(0x80 | ((code >> 6) & 0x3F));
            put(0x80 | (code & 0x3F));
        } else {
            put(0xF0 | (code >> 18));
            put(0x80 | ((code >> 12) & 0x3F));
            put(0x80 | ((code >> 6) & 0x3F));
            put(0x80 | (code & 0x3F));
        }
    }
    return sink.Result();
}

}  // namespace platform
