// The bundle's pictures as the build leaves them: each under its exact file
// name, a PNG at the pixel size it was drawn for (twice its size in points,
// the title icon three times), each drawing its own picture.
#include "platform/UIImage.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

TEST(BundleImages, EachIsAPngOfItsPixelSize) {
    TemporaryDevice device;
    const std::pair<const char*, CGSize> images[] = {
        {"Branding - Small.png", CGSizeMake(90, 90)},   {"Vimble - Header.png", CGSizeMake(750, 286)},
        {"Radio - Active.png", CGSizeMake(50, 50)},     {"Radio - InActive.png", CGSizeMake(50, 50)},
        {"Dorian K. Vale.png", CGSizeMake(140, 140)},   {"Milo Brandt.png", CGSizeMake(140, 140)},
        {"Korvent Labs.png", CGSizeMake(140, 140)},     {"Icon.png", CGSizeMake(58, 58)},
    };
    std::set<std::string> contents;
    for (const auto& [name, pixels] : images) {
        const std::string path = std::string("/Library/PreferenceBundles/Vimble.bundle/") + name;
        auto image = UIImage::imageWithContentsOfFile(path);
        ASSERT_TRUE(image) << name;
        EXPECT_EQ(image->size(), pixels) << name;
        std::ostringstream bytes;
        bytes << std::ifstream(device.hostPath(path), std::ios::binary).rdbuf();
        contents.insert(bytes.str());
    }
    EXPECT_EQ(contents.size(), 8u) << "every picture is a drawing of its own";
}

} // namespace
