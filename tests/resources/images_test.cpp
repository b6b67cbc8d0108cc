// The bundle's pictures as the build leaves them: each under its exact file
// name, a PNG that decodes completely, at the pixel size it was drawn for.

#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#ifndef VIMBLE_BUNDLE_DIR
#error "VIMBLE_BUNDLE_DIR must be defined as the built bundle directory (a compile definition of the test build)"
#endif

namespace {

struct ExpectedImage {
    const char* fileName;
    png_uint_32 width;
    png_uint_32 height;
};

const ExpectedImage kImages[] = {
    {"Branding - Small.png", 90, 90},
    {"Vimble - Header.png", 750, 286},
    {"Radio - Active.png", 50, 50},
    {"Radio - InActive.png", 50, 50},
    {"Dorian K. Vale.png", 140, 140},
    {"Milo Brandt.png", 140, 140},
    {"Korvent Labs.png", 140, 140},
    {"Icon.png", 58, 58},
};

struct DecodedImage {
    std::string error; // empty when the whole file decoded
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<png_byte> rgba; // 8-bit RGBA, row after row
};

// libpng reports errors by longjmp, so this function holds no object with a
// destructor of its own; everything it fills lives in the caller.
bool readWholeImage(FILE* file, png_structp png, png_infop info, DecodedImage& image,
                    std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    image.width = png_get_image_width(png, info);
    image.height = png_get_image_height(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    image.rgba.resize(rowBytes * image.height);
    rows.resize(image.height);
    for (png_uint_32 y = 0; y < image.height; ++y) rows[y] = image.rgba.data() + y * rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

DecodedImage failure(std::string error) {
    DecodedImage image;
    image.error = std::move(error);
    return image;
}

// Reports through the test's own error text instead of libpng's message on stderr.
[[noreturn]] void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

DecodedImage decode(const std::string& path) {
    DecodedImage image;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return failure("cannot open " + path);
    png_byte signature[8] = {};
    if (std::fread(signature, 1, sizeof signature, file) != sizeof signature || png_sig_cmp(signature, 0, 8)) {
        std::fclose(file);
        return failure("no PNG signature");
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows;
    if (!info || !readWholeImage(file, png, info, image, rows)) image.error = "libpng could not decode the file";
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return image;
}

std::string bundlePath(const char* fileName) { return std::string(VIMBLE_BUNDLE_DIR) + "/" + fileName; }

bool hasVisiblePixels(const DecodedImage& image) {
    for (std::size_t alpha = 3; alpha < image.rgba.size(); alpha += 4)
        if (image.rgba[alpha] != 0) return true;
    return false;
}

TEST(BundleImages, EachIsAWholePngOfItsSizeWithSomethingDrawn) {
    for (const auto& expected : kImages) {
        SCOPED_TRACE(expected.fileName);
        const DecodedImage image = decode(bundlePath(expected.fileName));
        EXPECT_EQ(image.error, "");
        if (!image.error.empty()) continue;
        EXPECT_EQ(image.width, expected.width);
        EXPECT_EQ(image.height, expected.height);
        EXPECT_TRUE(hasVisiblePixels(image)) << "the drawing rendered as fully transparent";
    }
}

TEST(BundleImages, BannerIsOpaqueSinceItIsStretchedOverTheTable) {
    const DecodedImage banner = decode(bundlePath("Vimble - Header.png"));
    ASSERT_EQ(banner.error, "");
    for (std::size_t alpha = 3; alpha < banner.rgba.size(); alpha += 4)
        ASSERT_EQ(banner.rgba[alpha], 0xff) << "first see-through pixel at byte " << alpha;
}

TEST(BundleImages, TheTwoRadioMarksDiffer) {
    const DecodedImage active = decode(bundlePath("Radio - Active.png"));
    const DecodedImage inactive = decode(bundlePath("Radio - InActive.png"));
    ASSERT_EQ(active.error, "");
    ASSERT_EQ(inactive.error, "");
    EXPECT_NE(active.rgba, inactive.rgba);
}

TEST(BundleImages, DecoderRejectsATruncatedPicture) {
    // Guards the check above: a file cut short must not pass as a whole image.
    const std::string path = ::testing::TempDir() + "truncated.png";
    FILE* source = std::fopen(bundlePath("Korvent Labs.png").c_str(), "rb");
    ASSERT_NE(source, nullptr);
    std::vector<char> bytes(4096);
    const std::size_t kept = std::fread(bytes.data(), 1, bytes.size(), source) / 2;
    std::fclose(source);
    FILE* target = std::fopen(path.c_str(), "wb");
    ASSERT_NE(target, nullptr);
    std::fwrite(bytes.data(), 1, kept, target);
    std::fclose(target);

    EXPECT_NE(decode(path).error, "");
    std::remove(path.c_str());
}

} // namespace
