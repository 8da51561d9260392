// The byte layout of state.bin.
#include <array>
#include <cstring>

#include "state/state_file.h"

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'Q', 'F', 'O', 'P', 'T', '1', 0, 0};

class Writer {
  public:
    void U32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void Count(std::size_t count) { U32(static_cast<std::uint32_t>(count)); }
    void Str8(const std::string& text) {
        Count(text.size());
        bytes_.insert(bytes_.end(), text.begin(), text.end());
    }
    void Str16(const std::u16string& text) {
        Count(text.size());
        for (const char16_t unit : text) {
            bytes_.push_back(static_cast<std::uint8_t>(unit));
            bytes_.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    void Raw(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    void Record(const RegistryCapture& capture) {
        U32(static_cast<std::uint32_t>(capture.root));
        Str16(capture.subkey);
        Str16(capture.valueName);
        U32(capture.existed ? 1 : 0);
        U32(capture.type);
        Count(capture.data.size());
        Raw(capture.data);
    }
    void Record(const ServiceCapture& capture) {
        Str16(capture.serviceName);
        U32(capture.existed ? 1 : 0);
        U32(capture.startType);
    }
    template <typename Map>
    void Captures(const Map& backups) {
        Count(backups.size());
        for (const auto& [id, records] : backups) {
            Str8(id);
            Count(records.size());
            for (const auto& record : records)
                Record(record);
        }
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Every read checks that what it needs lies inside the buffer and reports whether it did.
class Reader {
  public:
    Reader(std::span<const std::uint8_t> bytes, std::size_t position)
        : bytes_(bytes), position_(position) {}

    [[nodiscard]] bool U32(std::uint32_t& value) {
        if (!Fits(4))
            return false;
        value = 0;
        for (int i = 3; i >= 0; --i) {
            value = (value << 8) | bytes_[position_ + static_cast<std::size_t>(i)];
        }
        position_ += 4;
        return true;
    }
    [[nodiscard]] bool Flag(bool& value) {
        std::uint32_t word = 0;
        if (!U32(word))
            return false;
        value = word != 0;
        return true;
    }
    [[nodiscard]] bool Str8(std::string& text) {
        std::uint32_t length = 0;
        if (!U32(length) || !Fits(length))
            return false;
        text.assign(reinterpret_cast<const char*>(bytes_.data() + position_), length);
        position_ += length;
        return true;
    }
    [[nodiscard]] bool Str16(std::u16string& text) {
        std::uint32_t length = 0;
        if (!U32(length) || !Fits(std::size_t{length} * 2))
            return false;
        text.resize(length);
        for (std::uint32_t i = 0; i < length; ++i) {
            const std::size_t at = position_ + std::size_t{i} * 2;
            text[i] = static_cast<char16_t>(bytes_[at] | (bytes_[at + 1] << 8));
        }
        position_ += std::size_t{length} * 2;
        return true;
    }
    [[nodiscard]] bool Data(std::vector<std::uint8_t>& data) {
        std::uint32_t length = 0;
        if (!U32(length) || !Fits(length))
            return false;
        const auto* start = bytes_.data() + position_;
        data.assign(start, start + length);
        position_ += length;
        return true;
    }
    [[nodiscard]] bool Record(RegistryCapture& capture) {
        std::uint32_t root = 0;
        if (!U32(root))
            return false;
        capture.root = static_cast<RegistryRoot>(root);
        return Str16(capture.subkey) && Str16(capture.valueName) && Flag(capture.existed) &&
               U32(capture.type) && Data(capture.data);
    }
    [[nodiscard]] bool Record(ServiceCapture& capture) {
        return Str16(capture.serviceName) && Flag(capture.existed) && U32(capture.startType);
    }
    // Reads one capture section; false when something in it did not fit.
    template <typename Map>
    [[nodiscard]] bool Captures(Map& backups) {
        std::uint32_t entries = 0;
        if (!U32(entries))
            return false;
        for (std::uint32_t entry = 0; entry < entries; ++entry) {
            std::string id;
            std::uint32_t records = 0;
            if (!Str8(id) || !U32(records))
                return false;
            auto& list = backups[id];
            for (std::uint32_t i = 0; i < records; ++i) {
                typename Map::mapped_type::value_type record;
                if (!Record(record))
                    return false;
                list.push_back(std::move(record));
            }
        }
        return true;
    }

    bool AtEnd() const { return position_ == bytes_.size(); }

  private:
    bool Fits(std::size_t count) const { return bytes_.size() - position_ >= count; }

    std::span<const std::uint8_t> bytes_;
    std::size_t position_;
};

// False when a part did not fit, a section count included.
bool ReadSections(Reader& reader, AppState& state) {
    std::uint32_t count = 0;
    if (!reader.U32(count))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string id;
        if (!reader.Str8(id))
            return false;
        state.AppliedSet.insert(std::move(id));
    }
    if (!reader.Captures(state.RegistryBackups) || !reader.Captures(state.ServiceBackups) ||
        !reader.Flag(state.RestorePointCreated) || !reader.U32(count)) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string key;
        std::string value;
        if (!reader.Str8(key) || !reader.Str8(value))
            return false;
        state.BackupStore[key] = std::move(value);
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeState(const AppState& state) {
    Writer writer;
    writer.Raw(kMagic);
    writer.Count(state.AppliedSet.size());
    for (const std::string& id : state.AppliedSet)
        writer.Str8(id);
    writer.Captures(state.RegistryBackups);
    writer.Captures(state.ServiceBackups);
    writer.U32(state.RestorePointCreated ? 1 : 0);
    writer.Count(state.BackupStore.size());
    for (const auto& [key, value] : state.BackupStore) {
        writer.Str8(key);
        writer.Str8(value);
    }
    return writer.Take();
}

bool DecodeState(std::span<const std::uint8_t> bytes, AppState& state) {
    ClearPersistedState(state);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
        return false;
    }
    Reader reader(bytes, kMagic.size());
    return ReadSections(reader, state) && reader.AtEnd();
}
