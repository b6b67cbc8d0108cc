#include "platform/UIImage.h"

#include "platform/Device.h"

#include <array>
#include <cstdint>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<unsigned char, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

std::uint32_t bigEndian32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// The pixel size from the PNG signature and its IHDR chunk, which must come first.
// Pictures are loaded anew for every mark a page draws, so this reads only the
// 24 bytes it needs, with one call and no stream buffer.
bool readPngPixelSize(const std::filesystem::path& path, std::uint32_t& width, std::uint32_t& height) {
    std::array<unsigned char, 24> header{};
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    ssize_t headerRead = ::pread(descriptor, header.data(), header.size(), 0);
    ::close(descriptor);
    if (headerRead != static_cast<ssize_t>(header.size())) return false;
    if (!std::equal(kPngSignature.begin(), kPngSignature.end(), header.begin())) return false;
    if (std::string(reinterpret_cast<const char*>(&header[12]), 4) != "IHDR") return false;
    width = bigEndian32(&header[16]);
    height = bigEndian32(&header[20]);
    return width > 0 && height > 0;
}

double scaleFromName(const std::string& path) {
    auto endsWith = [&](const std::string& suffix) {
        return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    if (endsWith("@3x.png")) return 3;
    if (endsWith("@2x.png")) return 2;
    return 1;
}

} // namespace

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(const std::string& devicePath) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::filesystem::path hostPath = Device::shared().hostPath(devicePath);
    if (hostPath.empty() || !readPngPixelSize(hostPath, width, height)) return nullptr;
    auto image = alloc<UIImage>();
    image->_path = devicePath;
    image->_scale = scaleFromName(devicePath);
    image->_size = CGSizeMake(width / image->_scale, height / image->_scale);
    return image;
}
