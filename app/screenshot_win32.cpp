#include "app/screenshot_win32.h"

#include <cstdio>
#include <vector>

#include "app/bmp.h"
#include "app/graphics_win32.h"
#include "platform/win32/handle.h"

namespace {

// The back buffer copied into a texture the processor can read.
platform::win32::UniqueCom<ID3D11Texture2D> ReadableCopyOfBackBuffer(
    const GraphicsHandles& graphics, D3D11_TEXTURE2D_DESC& description) {
    platform::win32::UniqueCom<ID3D11Texture2D> staging;
    platform::win32::UniqueCom<ID3D11Texture2D> backBuffer;
    if (FAILED(graphics.swapChain->GetBuffer(0, IID_PPV_ARGS(backBuffer.put()))) || !backBuffer) {
        return staging;
    }
    backBuffer->GetDesc(&description);
    D3D11_TEXTURE2D_DESC copy = description;
    copy.Usage = D3D11_USAGE_STAGING;
    copy.BindFlags = 0;
    copy.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    copy.MiscFlags = 0;
    copy.SampleDesc = {1, 0};
    if (FAILED(graphics.device->CreateTexture2D(&copy, nullptr, staging.put()))) {
        staging.reset();
        return staging;
    }
    graphics.context->CopyResource(staging.get(), backBuffer.get());
    return staging;
}

bool WriteBmp(const std::u16string& path, const D3D11_MAPPED_SUBRESOURCE& mapped,
              std::uint32_t width, std::uint32_t height) {
    platform::win32::UniqueStdFile file;
    if (_wfopen_s(file.put(), reinterpret_cast<const wchar_t*>(path.c_str()), L"wb") != 0 ||
        !file) {
        return false;
    }
    const auto headers = BmpHeaders(width, height);
    std::fwrite(headers.data(), 1, headers.size(), file.get());
    std::vector<std::uint8_t> row(std::size_t{width} * 4);
    const auto* source = static_cast<const std::uint8_t*>(mapped.pData);
    for (std::uint32_t y = 0; y < height; ++y) {
        ConvertBmpRow({source + std::size_t{y} * mapped.RowPitch, row.size()}, row);
        std::fwrite(row.data(), 1, row.size(), file.get());
    }
    return true;
}

}  // namespace

bool SaveScreenshot(const std::u16string& path, const GraphicsHandles& graphics) {
    if (!graphics.swapChain || !graphics.device || !graphics.context)
        return false;
    D3D11_TEXTURE2D_DESC description{};
    platform::win32::UniqueCom<ID3D11Texture2D> staging =
        ReadableCopyOfBackBuffer(graphics, description);
    if (!staging)
        return false;
    D3D11_MAPPED_SUBRESOURCE mapped{};
    if (FAILED(graphics.context->Map(staging.get(), 0, D3D11_MAP_READ, 0, &mapped)))
        return false;
    const bool written = WriteBmp(path, mapped, description.Width, description.Height);
    graphics.context->Unmap(staging.get(), 0);
    return written;
}
