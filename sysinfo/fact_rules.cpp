#include "sysinfo/fact_rules.h"

#include <string>

#include "platform/system_info.h"
#include "state/text.h"

bool AdapterChoice::Offer(const std::u16string& description) {
    if (description.empty())
        return false;
    if (!IsFallbackAdapter(description)) {
        real_ = description;
        return true;
    }
    if (fallback_.empty())
        fallback_ = description;
    return false;
}

std::u16string AdapterChoice::Name() const {
    if (!real_.empty())
        return real_;
    return fallback_.empty() ? u"GPU" : fallback_;
}

bool IsFallbackAdapter(const std::u16string& description) {
    return description.find(u"Microsoft Basic") != std::u16string::npos ||
           description.find(u"Remote Display") != std::u16string::npos;
}

std::u16string BoardTextOf(const std::u16string& maker, const std::u16string& product,
                           const std::u16string& systemProduct) {
    if (!product.empty())
        return maker.empty() ? product : maker + u" " + product;
    return systemProduct.empty() ? u"motherboard" : systemProduct;
}

std::u16string EditionText(std::uint32_t build) {
    constexpr std::uint32_t kFirstWindows11Build = 22000;
    return (build >= kFirstWindows11Build ? u"Windows 11" : u"Windows 10") +
           std::u16string(u"  build ") + ToUtf16(std::to_string(build));
}

std::uint32_t CoresInProcessorInformation(std::span<const std::uint8_t> table) {
    std::uint32_t cores = 0;
    for (std::size_t entry = 0; entry + platform::kProcessorInformationEntrySize <= table.size();
         entry += platform::kProcessorInformationEntrySize) {
        const std::uint8_t* field =
            &table[entry + platform::kProcessorInformationRelationshipOffset];
        const std::uint32_t relationship =
            field[0] | field[1] << 8 | field[2] << 16 | static_cast<std::uint32_t>(field[3]) << 24;
        if (relationship == platform::kRelationProcessorCore)
            ++cores;
    }
    return cores == 0 ? 1 : cores;
}
