#include "framework/resources/ImageLib.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

using ImageLib::Image;
using ImagePtr = std::unique_ptr<Image>;
using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

Pixels PixelsOf(const Image& image)
{
    return Pixels(image.mBits, image.mBits + static_cast<size_t>(image.mWidth) * image.mHeight);
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << path;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void AppendLe16(Bytes& out, const int value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

ImagePtr MakeImage(const int width, const int height, const std::function<uint32_t(int, int)>& pixel)
{
    ImagePtr image = ImageLib::CreateImage(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->mBits[y * width + x] = pixel(x, y);
    return image;
}

// Each test works in a fresh temporary folder, removed afterwards.
class ImageFilesTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return mFolder.File(name).string(); }

    const Tests::TemporaryFolder mFolder;
};

class ImageTest : public ImageFilesTest {};
class PngTest : public ImageFilesTest {};
class JpegTest : public ImageFilesTest {};
class GifTest : public ImageFilesTest {};
class TgaTest : public ImageFilesTest {};

// ---- PNG fixtures, written with libpng's own writer ----

struct PngKind {
    const char* mName;
    int mColorType;
    int mBitDepth;
    bool mInterlaced;
};

int PngChannels(const int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

// Known samples with every kind of variety: 16-bit ones have a low byte that differs from
// the high byte, so a reader that kept the wrong byte would show.
Bytes PngRow(const PngKind& kind, const uint32_t width, const uint32_t y)
{
    const int channels = PngChannels(kind.mColorType);
    const int depth = kind.mBitDepth;
    const int paletteSize = std::min(16, 1 << depth);
    Bytes row((width * channels * depth + 7) / 8);
    for (uint32_t x = 0; x < width; ++x) {
        for (int c = 0; c < channels; ++c) {
            const uint32_t i = x * channels + c;
            if (depth == 16) {
                const uint8_t high = static_cast<uint8_t>(x * 29 + y * 53 + c * 101);
                row[i * 2] = high;
                row[i * 2 + 1] = high ^ 0x11;
            } else if (kind.mColorType == PNG_COLOR_TYPE_PALETTE) {
                row[i * depth / 8] |= static_cast<uint8_t>(((x + 2 * y) % paletteSize) << (8 - depth - i * depth % 8));
            } else {
                const uint32_t sample = ((x * 3 + y * 5 + c * 7) * 37) % (1u << depth);
                row[i * depth / 8] |= static_cast<uint8_t>(sample << (8 - depth - i * depth % 8));
            }
        }
    }
    return row;
}

// Rows come from `row`; an interlaced file is written pass by pass from the full rows.
void WritePngFile(const std::string& path, const PngKind& kind, const uint32_t width, const uint32_t height,
                  const std::function<Bytes(uint32_t)>& row)
{
    FILE* const file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, kind.mBitDepth, kind.mColorType,
                 kind.mInterlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (kind.mColorType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[16];
        for (int i = 0; i < 16; ++i)
            palette[i] = {static_cast<png_byte>(i * 16), static_cast<png_byte>(255 - i * 9),
                          static_cast<png_byte>(i * 5)};
        png_set_PLTE(png, info, palette, std::min(16, 1 << kind.mBitDepth));
        // Shorter than the palette: the remaining entries are opaque.
        const png_byte alpha[] = {0, 64, 128, 255, 7};
        png_set_tRNS(png, info, alpha, std::min(5, 1 << kind.mBitDepth), nullptr);
    }
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (uint32_t y = 0; y < height; ++y)
            png_write_row(png, row(y).data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void WriteSamplePng(const std::string& path, const PngKind& kind, const uint32_t width, const uint32_t height)
{
    WritePngFile(path, kind, width, height, [&](const uint32_t y) { return PngRow(kind, width, y); });
}

// libpng's simplified reader, taking 16-bit files without colour-space chunks as sRGB so
// that it only reduces the samples to 8 bits.
Pixels DecodeWithLibpng(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    image.format = PNG_FORMAT_BGRA;
    Pixels pixels(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return {};
    return pixels;
}

// ---- JPEG fixtures, written and decoded with libjpeg ----

void WriteJpegFile(const std::string& path, const int width, const int height, const int components,
                   const J_COLOR_SPACE space, const Bytes& samples, const bool progressive = false)
{
    FILE* const file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + info.next_scanline * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

Pixels DecodeWithLibjpeg(const std::string& path)
{
    FILE* const file = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    Bytes line(info.output_width * components);
    Pixels pixels;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = line.data();
        jpeg_read_scanlines(&info, &row, 1);
        for (size_t x = 0; x < info.output_width; ++x) {
            const uint8_t* const s = &line[x * components];
            pixels.push_back(components == 1 ? 0xFF000000u | s[0] * 0x010101u
                                             : 0xFF000000u | s[0] << 16 | s[1] << 8 | s[2]);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return pixels;
}

Bytes RampSamples(const int width, const int height, const int components)
{
    Bytes samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                samples.push_back(static_cast<uint8_t>(x * 4 + y * 3 * c + c * 20));
    return samples;
}

// ---- GIF fixtures, encoded here byte by byte ----

// The LZW code stream of `indices`, in sub-blocks ending with the empty one. With
// `clearWhenFull` false the table is left full without a clear code.
Bytes LzwEncode(const Bytes& indices, const int minCodeSize, const bool clearWhenFull = true)
{
    const int clear = 1 << minCodeSize;
    Bytes data;
    uint32_t bits = 0;
    int bitCount = 0;
    int codeSize = minCodeSize + 1;
    const auto emit = [&](const int code) {
        bits |= static_cast<uint32_t>(code) << bitCount;
        for (bitCount += codeSize; bitCount >= 8; bitCount -= 8, bits >>= 8)
            data.push_back(static_cast<uint8_t>(bits));
    };
    std::map<std::pair<int, int>, int> table;
    int next = clear + 2;
    // The decoder adds each entry one code later than the encoder, so the code size grows
    // once the entry just added no longer fits.
    const auto added = [&] {
        if (++next > (1 << codeSize) && codeSize < 12)
            ++codeSize;
    };
    emit(clear);
    int current = indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const auto found = table.find({current, indices[i]});
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        emit(current);
        if (next < 4096) {
            table[{current, indices[i]}] = next;
            added();
        }
        if (next == 4096 && clearWhenFull) {
            emit(clear);
            table.clear();
            codeSize = minCodeSize + 1;
            next = clear + 2;
        }
        current = indices[i];
    }
    emit(current);
    added();
    emit(clear + 1);
    if (bitCount > 0)
        data.push_back(static_cast<uint8_t>(bits));

    Bytes blocks;
    for (size_t start = 0; start < data.size(); start += 255) {
        const size_t count = std::min<size_t>(255, data.size() - start);
        blocks.push_back(static_cast<uint8_t>(count));
        blocks.insert(blocks.end(), data.begin() + start, data.begin() + start + count);
    }
    blocks.push_back(0);
    return blocks;
}

void AppendColorTable(Bytes& out, const Pixels& table)
{
    for (const uint32_t rgb : table)
        out.insert(out.end(),
                   {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)});
}

// Table sizes must be powers of two from 2 to 256.
uint8_t ColorTableFlags(const Pixels& table)
{
    if (table.empty())
        return 0;
    int bits = 0;
    while ((2u << bits) < table.size())
        ++bits;
    return static_cast<uint8_t>(0x80 | bits);
}

struct GifPicture {
    GifPicture(const int width, const int height, Bytes indices = {})
        : mWidth(width), mHeight(height), mIndices(std::move(indices))
    {
    }

    int mWidth;
    int mHeight;
    Bytes mIndices; // in file order
    Pixels mLocalTable;
    bool mInterlaced = false;
    int mMinCodeSize = 2;
};

Bytes GifHeader(const Pixels& globalTable)
{
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    AppendLe16(out, 1);
    AppendLe16(out, 1);
    out.insert(out.end(), {ColorTableFlags(globalTable), 0, 0});
    AppendColorTable(out, globalTable);
    return out;
}

Bytes GraphicControl(const int transparentIndex)
{
    return {'!', 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(transparentIndex), 0};
}

Bytes GifFile(const Pixels& globalTable, const Bytes& extensions, const GifPicture& picture,
              const bool clearWhenFull = true)
{
    Bytes out = GifHeader(globalTable);
    out.insert(out.end(), extensions.begin(), extensions.end());
    out.push_back(',');
    AppendLe16(out, 0);
    AppendLe16(out, 0);
    AppendLe16(out, picture.mWidth);
    AppendLe16(out, picture.mHeight);
    out.push_back(ColorTableFlags(picture.mLocalTable) | (picture.mInterlaced ? 0x40 : 0));
    AppendColorTable(out, picture.mLocalTable);
    out.push_back(static_cast<uint8_t>(picture.mMinCodeSize));
    const Bytes data = LzwEncode(picture.mIndices, picture.mMinCodeSize, clearWhenFull);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(';');
    return out;
}

const Pixels kGifTable = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF};

Pixels Opaque(const Pixels& table, const Bytes& indices)
{
    Pixels pixels;
    for (const uint8_t index : indices)
        pixels.push_back(index < table.size() ? 0xFF000000u | table[index] : 0u);
    return pixels;
}

// ---- TGA fixtures ----

Bytes TgaFile(const int width, const int height, const uint8_t bitsPerPixel, const uint8_t descriptor,
              const Pixels& pixels)
{
    Bytes out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    AppendLe16(out, width);
    AppendLe16(out, height);
    out.insert(out.end(), {bitsPerPixel, descriptor});
    for (const uint32_t pixel : pixels)
        out.insert(out.end(), {static_cast<uint8_t>(pixel), static_cast<uint8_t>(pixel >> 8),
                               static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 24)});
    return out;
}

const Pixels kTgaPixels = {0x80112233, 0xFF445566, 0x00778899, 0x01AABBCC, 0xFEDDEEFF, 0x7F000000};

// ==== PNG ====

TEST_F(PngTest, EveryKindDecodesLikeLibpng)
{
    const PngKind kinds[] = {
        {"palette1", PNG_COLOR_TYPE_PALETTE, 1, false},    {"palette4", PNG_COLOR_TYPE_PALETTE, 4, false},
        {"palette8", PNG_COLOR_TYPE_PALETTE, 8, false},    {"grey1", PNG_COLOR_TYPE_GRAY, 1, false},
        {"grey2", PNG_COLOR_TYPE_GRAY, 2, false},          {"grey4", PNG_COLOR_TYPE_GRAY, 4, false},
        {"grey8", PNG_COLOR_TYPE_GRAY, 8, false},          {"grey16", PNG_COLOR_TYPE_GRAY, 16, false},
        {"greyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false}, {"greyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false},
        {"rgb8", PNG_COLOR_TYPE_RGB, 8, false},            {"rgb16", PNG_COLOR_TYPE_RGB, 16, false},
        {"rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false},     {"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
        {"interlacedPalette4", PNG_COLOR_TYPE_PALETTE, 4, true}, {"interlacedGrey2", PNG_COLOR_TYPE_GRAY, 2, true},
        {"interlacedRgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, true},  {"interlacedRgb16", PNG_COLOR_TYPE_RGB, 16, true},
    };
    for (const PngKind& kind : kinds) {
        SCOPED_TRACE(kind.mName);
        const std::string path = Path(std::string(kind.mName) + ".png");
        WriteSamplePng(path, kind, 13, 11);
        // An interlaced file must give the pixels of its non-interlaced twin, which serves
        // as reference because libpng's simplified reader decodes interlaced 16-bit
        // files wrongly.
        PngKind twin = kind;
        twin.mInterlaced = false;
        WriteSamplePng(Path("twin.png"), twin, 13, 11);
        const Pixels expected = DecodeWithLibpng(Path("twin.png"));
        ASSERT_EQ(expected.size(), 13u * 11u);
        const ImagePtr image(ImageLib::GetPNGImage(path));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetWidth(), 13);
        EXPECT_EQ(image->GetHeight(), 11);
        EXPECT_EQ(PixelsOf(*image), expected);
    }
}

TEST_F(PngTest, WrittenPictureReadsBackWordForWord)
{
    const ImagePtr picture =
        MakeImage(17, 9, [](int x, int y) { return static_cast<uint32_t>(x * 0x0F1E2D3Cu + y * 0x11335577u); });
    ASSERT_TRUE(ImageLib::WritePNGImage(Path("out.png"), picture.get()));
    const ImagePtr image(ImageLib::GetPNGImage(Path("out.png")));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 17);
    EXPECT_EQ(image->GetHeight(), 9);
    EXPECT_EQ(PixelsOf(*image), PixelsOf(*picture));
}

TEST_F(PngTest, HeaderClaimingMoreThanTheSizeLimitIsRefused)
{
    // A valid, tiny file for a 20000 x 20000 picture: without the limit it would decode.
    const PngKind kind{"huge", PNG_COLOR_TYPE_GRAY, 1, false};
    const Bytes blankRow(2500);
    WritePngFile(Path("huge.png"), kind, 20000, 20000, [&](uint32_t) { return blankRow; });
    EXPECT_EQ(ImageLib::GetPNGImage(Path("huge.png")), nullptr);
}

// ==== JPEG ====

TEST_F(JpegTest, DecodesLikeLibjpeg)
{
    struct Case {
        const char* mName;
        int mComponents;
        J_COLOR_SPACE mSpace;
        bool mProgressive;
    };
    const Case cases[] = {
        {"rgb", 3, JCS_RGB, false},
        {"grey", 1, JCS_GRAYSCALE, false},
        {"progressiveRgb", 3, JCS_RGB, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const std::string path = Path(std::string(c.mName) + ".jpg");
        WriteJpegFile(path, 37, 21, c.mComponents, c.mSpace, RampSamples(37, 21, c.mComponents), c.mProgressive);
        const ImagePtr image(ImageLib::GetJPEGImage(path));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetWidth(), 37);
        EXPECT_EQ(image->GetHeight(), 21);
        EXPECT_EQ(PixelsOf(*image), DecodeWithLibjpeg(path));
    }
}

TEST_F(JpegTest, WrittenPictureReadsBackWithinToleranceAndOpaque)
{
    const ImagePtr picture = MakeImage(48, 40, [](int x, int y) {
        return static_cast<uint32_t>(x * 37) << 24 | static_cast<uint32_t>(x * 3 << 16 | y * 4 << 8 | (100 + x - y));
    });
    ASSERT_TRUE(ImageLib::WriteJPEGImage(Path("out.jpg"), picture.get()));
    const ImagePtr image(ImageLib::GetJPEGImage(Path("out.jpg")));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->GetWidth(), 48);
    ASSERT_EQ(image->GetHeight(), 40);
    for (size_t i = 0; i < 48 * 40; ++i) {
        const uint32_t got = image->mBits[i];
        const uint32_t want = picture->mBits[i];
        ASSERT_EQ(got >> 24, 0xFFu) << i;
        for (const int shift : {0, 8, 16})
            ASSERT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 8) << i;
    }
}

TEST_F(JpegTest, CmykAndEmptyFilesAreRefusedAndShortFilesDecodeToFullSize)
{
    WriteJpegFile(Path("cmyk.jpg"), 8, 8, 4, JCS_CMYK, RampSamples(8, 8, 4));
    EXPECT_EQ(ImageLib::GetJPEGImage(Path("cmyk.jpg")), nullptr);
    WriteFile(Path("empty.jpg"), {});
    EXPECT_EQ(ImageLib::GetJPEGImage(Path("empty.jpg")), nullptr);
    EXPECT_EQ(ImageLib::GetJPEGImage(Path("missing.jpg")), nullptr);

    WriteJpegFile(Path("full.jpg"), 64, 64, 3, JCS_RGB, RampSamples(64, 64, 3));
    Bytes bytes = ReadFile(Path("full.jpg"));
    bytes.resize(bytes.size() * 2 / 3);
    WriteFile(Path("short.jpg"), bytes);
    const ImagePtr image(ImageLib::GetJPEGImage(Path("short.jpg")));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 64);
    EXPECT_EQ(image->GetHeight(), 64);
}

// ==== GIF ====

TEST_F(GifTest, DecodesHandWrittenCodeStream)
{
    // Codes clear, 1, 6 (the entry being defined), 1, then 0 and end at the grown size.
    Bytes file = GifHeader(kGifTable);
    file.insert(file.end(), {',', 0, 0, 0, 0, 5, 0, 1, 0, 0, 2, 3, 0x8C, 0x03, 0x05, 0, ';'});
    WriteFile(Path("hand.gif"), file);
    const ImagePtr image(ImageLib::GetGIFImage(Path("hand.gif")));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 5);
    EXPECT_EQ(image->GetHeight(), 1);
    EXPECT_EQ(PixelsOf(*image), Opaque(kGifTable, {1, 1, 1, 1, 0}));
}

TEST_F(GifTest, GraphicControlIndexBecomesTransparent)
{
    GifPicture picture{7, 5};
    for (int i = 0; i < 35; ++i)
        picture.mIndices.push_back(static_cast<uint8_t>(i / 3 % 4));
    const Pixels opaque = Opaque(kGifTable, picture.mIndices);

    WriteFile(Path("plain.gif"), GifFile(kGifTable, {}, picture));
    const ImagePtr plain(ImageLib::GetGIFImage(Path("plain.gif")));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(PixelsOf(*plain), opaque);

    // A comment and a looping application block around the graphic control change nothing.
    Bytes extensions = {'!', 0xFE, 3, 'a', 'b', 'c', 0};
    const Bytes control = GraphicControl(2);
    extensions.insert(extensions.end(), control.begin(), control.end());
    extensions.insert(extensions.end(),
                      {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0});
    WriteFile(Path("transparent.gif"), GifFile(kGifTable, extensions, picture));
    const ImagePtr transparent(ImageLib::GetGIFImage(Path("transparent.gif")));
    ASSERT_NE(transparent, nullptr);
    Pixels expected = opaque;
    for (size_t i = 0; i < expected.size(); ++i)
        if (picture.mIndices[i] == 2)
            expected[i] = 0;
    EXPECT_EQ(PixelsOf(*transparent), expected);
}

TEST_F(GifTest, InterlacedRowsLandInPassOrder)
{
    Pixels rowColors(16);
    for (uint32_t i = 0; i < 16; ++i)
        rowColors[i] = i * 0x0F0D0B;
    const std::vector<std::vector<int>> rowOrders = {{0, 4, 2, 1, 3}, {0, 2, 1}, {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}};
    for (const std::vector<int>& order : rowOrders) {
        SCOPED_TRACE(order.size());
        GifPicture picture{3, static_cast<int>(order.size())};
        picture.mInterlaced = true;
        picture.mMinCodeSize = 4;
        for (size_t fileRow = 0; fileRow < order.size(); ++fileRow)
            picture.mIndices.insert(picture.mIndices.end(), 3, static_cast<uint8_t>(fileRow));
        WriteFile(Path("interlaced.gif"), GifFile(rowColors, {}, picture));
        const ImagePtr image(ImageLib::GetGIFImage(Path("interlaced.gif")));
        ASSERT_NE(image, nullptr);
        Pixels expected(3 * order.size());
        for (size_t fileRow = 0; fileRow < order.size(); ++fileRow)
            std::fill_n(expected.begin() + order[fileRow] * 3, 3, 0xFF000000u | rowColors[fileRow]);
        EXPECT_EQ(PixelsOf(*image), expected);
    }
}

TEST_F(GifTest, IndicesWithoutTableEntryGiveTransparentBlack)
{
    GifPicture picture{4, 2};
    picture.mIndices = {0, 1, 2, 3, 3, 2, 1, 0};

    WriteFile(Path("none.gif"), GifFile({}, {}, picture));
    const ImagePtr none(ImageLib::GetGIFImage(Path("none.gif")));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(PixelsOf(*none), Pixels(8, 0));

    // Data that ends after six pixels leaves the others transparent black.
    const Bytes six = {1, 2, 3, 1, 2, 3};
    Bytes early = GifFile(kGifTable, {}, GifPicture(3, 2, six));
    early[GifHeader(kGifTable).size() + 5] = 4; // the width, after ',' and the position
    WriteFile(Path("early.gif"), early);
    const ImagePtr earlyEnd(ImageLib::GetGIFImage(Path("early.gif")));
    ASSERT_NE(earlyEnd, nullptr);
    Pixels expected = Opaque(kGifTable, six);
    expected.resize(8);
    EXPECT_EQ(PixelsOf(*earlyEnd), expected);

    // A local table of two entries replaces the global one of four.
    picture.mLocalTable = {0xABCDEF, 0x123456};
    WriteFile(Path("short.gif"), GifFile(kGifTable, {}, picture));
    const ImagePtr shortTable(ImageLib::GetGIFImage(Path("short.gif")));
    ASSERT_NE(shortTable, nullptr);
    EXPECT_EQ(PixelsOf(*shortTable), Opaque(picture.mLocalTable, picture.mIndices));
}

TEST_F(GifTest, MinimumCodeSizeMustBeTwoToEight)
{
    for (const int codeSize : {0, 1, 2, 8, 9, 12}) {
        SCOPED_TRACE(codeSize);
        GifPicture picture{6, 6};
        for (int i = 0; i < 36; ++i)
            picture.mIndices.push_back(static_cast<uint8_t>(i % 3));
        picture.mMinCodeSize = codeSize;
        const Bytes file = GifFile(kGifTable, {}, picture);
        WriteFile(Path("size.gif"), file);
        const ImagePtr image(ImageLib::GetGIFImage(Path("size.gif")));
        if (codeSize == 2 || codeSize == 8) {
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(PixelsOf(*image), Opaque(kGifTable, picture.mIndices));
        } else {
            EXPECT_EQ(image, nullptr);
        }
    }
}

TEST_F(GifTest, FilesWithoutImageOrSizeAreRefused)
{
    Bytes extensionsOnly = GifHeader(kGifTable);
    const Bytes control = GraphicControl(1);
    extensionsOnly.insert(extensionsOnly.end(), control.begin(), control.end());
    extensionsOnly.push_back(';');

    GifPicture empty{0, 3};
    empty.mIndices = {1};
    Bytes badSignature = GifFile(kGifTable, {}, GifPicture{1, 1, {1}});
    badSignature[3] = '9';

    const std::pair<const char*, Bytes> files[] = {
        {"extensionsOnly", extensionsOnly},
        {"zeroWidth", GifFile(kGifTable, {}, empty)},
        {"badSignature", badSignature},
        {"headerOnly", GifHeader(kGifTable)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteFile(Path("refused.gif"), bytes);
        EXPECT_EQ(ImageLib::GetGIFImage(Path("refused.gif")), nullptr);
    }
}

TEST_F(GifTest, WidthAbove32767IsUnsigned)
{
    GifPicture picture{40000, 1};
    for (int i = 0; i < 40000; ++i)
        picture.mIndices.push_back(static_cast<uint8_t>(i * 7 / 5 % 4));
    WriteFile(Path("wide.gif"), GifFile(kGifTable, {}, picture));
    const ImagePtr image(ImageLib::GetGIFImage(Path("wide.gif")));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 40000);
    EXPECT_EQ(PixelsOf(*image), Opaque(kGifTable, picture.mIndices));
}

TEST_F(GifTest, FullCodeTableWithoutClearStopsDecodingAndKeepsThePicture)
{
    GifPicture picture{64, 80};
    picture.mMinCodeSize = 8;
    Pixels table(256);
    for (uint32_t i = 0; i < 256; ++i)
        table[i] = i * 0x010203;
    uint32_t seed = 12345;
    for (int i = 0; i < 64 * 80; ++i) {
        seed = seed * 1103515245 + 12345;
        picture.mIndices.push_back(static_cast<uint8_t>(seed >> 16));
    }
    WriteFile(Path("full.gif"), GifFile(table, {}, picture, false));
    const ImagePtr image(ImageLib::GetGIFImage(Path("full.gif")));
    ASSERT_NE(image, nullptr);
    const Pixels pixels = PixelsOf(*image);
    const Pixels expected = Opaque(table, picture.mIndices);
    EXPECT_EQ(pixels[0], expected[0]);
    EXPECT_EQ(pixels[3000], expected[3000]);
    EXPECT_EQ(pixels.back(), 0u);
}

TEST_F(GifTest, RandomCodeStreamsGiveFullPicturesOfTableColors)
{
    Pixels allowed = Opaque(kGifTable, {0, 1, 2, 3});
    allowed.push_back(0);
    uint32_t seed = 777;
    for (int codeSize = 2; codeSize <= 8; ++codeSize) {
        SCOPED_TRACE(codeSize);
        Bytes file = GifHeader(kGifTable);
        file.insert(file.end(), {',', 0, 0, 0, 0, 40, 0, 30, 0, 0x40, static_cast<uint8_t>(codeSize)});
        for (int block = 0; block < 6; ++block) {
            file.push_back(255);
            for (int i = 0; i < 255; ++i) {
                seed = seed * 1103515245 + 12345;
                file.push_back(static_cast<uint8_t>(seed >> 16));
            }
        }
        file.insert(file.end(), {0, ';'});
        WriteFile(Path("random.gif"), file);
        const ImagePtr image(ImageLib::GetGIFImage(Path("random.gif")));
        ASSERT_NE(image, nullptr);
        for (const uint32_t pixel : PixelsOf(*image))
            ASSERT_EQ(std::count(allowed.begin(), allowed.end(), pixel), 1) << pixel;
    }
}

// ==== TGA ====

TEST_F(TgaTest, ReadsTopDown32BitPixels)
{
    WriteFile(Path("pic.tga"), TgaFile(3, 2, 32, 0x28, kTgaPixels));
    const ImagePtr image(ImageLib::GetTGAImage(Path("pic.tga")));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 3);
    EXPECT_EQ(image->GetHeight(), 2);
    EXPECT_EQ(PixelsOf(*image), kTgaPixels);
}

TEST_F(TgaTest, OtherLayoutsAndShortFilesAreRefused)
{
    Bytes shortPixels = TgaFile(3, 2, 32, 0x28, kTgaPixels);
    shortPixels.pop_back();
    const Bytes shortHeader(shortPixels.begin(), shortPixels.begin() + 17);
    const std::pair<const char*, Bytes> files[] = {
        {"24 bits", TgaFile(3, 2, 24, 0x28, kTgaPixels)},
        {"bottom up", TgaFile(3, 2, 32, 0x08, kTgaPixels)},
        {"zero width", TgaFile(0, 2, 32, 0x28, {})},
        {"short header", shortHeader},
        {"short pixels", shortPixels},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteFile(Path("refused.tga"), bytes);
        EXPECT_EQ(ImageLib::GetTGAImage(Path("refused.tga")), nullptr);
    }
}

// ==== Every format ====

TEST_F(ImageTest, TruncatedAndCorruptFilesGiveNullOrWholePicture)
{
    WriteSamplePng(Path("valid.png"), {"rgba8i", PNG_COLOR_TYPE_RGB_ALPHA, 8, true}, 9, 7);
    WriteJpegFile(Path("valid.jpg"), 24, 16, 3, JCS_RGB, RampSamples(24, 16, 3));
    GifPicture gif{9, 7};
    gif.mInterlaced = true;
    for (int i = 0; i < 63; ++i)
        gif.mIndices.push_back(static_cast<uint8_t>(i % 5 % 4));
    WriteFile(Path("valid.gif"), GifFile(kGifTable, GraphicControl(3), gif));
    WriteFile(Path("valid.tga"), TgaFile(3, 2, 32, 0x28, kTgaPixels));

    struct Case {
        const char* mExtension;
        Image* (*mReader)(const std::string&);
        int mWidth;
        int mHeight;
        bool mTruncationRefused;
    };
    const Case cases[] = {
        {".png", ImageLib::GetPNGImage, 9, 7, true},
        {".jpg", ImageLib::GetJPEGImage, 24, 16, false},
        {".gif", ImageLib::GetGIFImage, 9, 7, false},
        {".tga", ImageLib::GetTGAImage, 3, 2, true},
    };
    for (const Case& c : cases) {
        const Bytes valid = ReadFile(Path(std::string("valid") + c.mExtension));
        const std::string path = Path(std::string("damaged") + c.mExtension);
        for (size_t length = 0; length < valid.size(); ++length) {
            SCOPED_TRACE(std::string(c.mExtension) + " cut to " + std::to_string(length));
            WriteFile(path, Bytes(valid.begin(), valid.begin() + length));
            const ImagePtr image(c.mReader(path));
            if (c.mTruncationRefused) {
                EXPECT_EQ(image, nullptr);
            } else if (image != nullptr) {
                EXPECT_EQ(image->GetWidth(), c.mWidth);
                EXPECT_EQ(image->GetHeight(), c.mHeight);
            }
        }
        // A corrupt size field may change the size; whatever comes back must be whole.
        for (size_t position = 0; position < valid.size(); position += valid.size() / 23 + 1) {
            for (const uint8_t value : {0x00, 0xFF, 0x80}) {
                SCOPED_TRACE(std::string(c.mExtension) + " byte " + std::to_string(position));
                Bytes corrupt = valid;
                corrupt[position] = value;
                WriteFile(path, corrupt);
                const ImagePtr image(c.mReader(path));
                if (image != nullptr) { // every pixel is readable
                    EXPECT_EQ(PixelsOf(*image).size(), static_cast<size_t>(image->mWidth) * image->mHeight);
                }
            }
        }
    }
}

// ==== Writers, size limit, GetImage ====

TEST_F(ImageTest, WritersFailWithoutFolderOrPicture)
{
    const ImagePtr picture = MakeImage(2, 2, [](int, int) { return 0xFF00FF00u; });
    EXPECT_FALSE(ImageLib::WritePNGImage(Path("missing/out.png"), picture.get()));
    EXPECT_FALSE(ImageLib::WriteJPEGImage(Path("missing/out.jpg"), picture.get()));
    EXPECT_FALSE(ImageLib::WritePNGImage(Path("out.png"), nullptr));
    EXPECT_FALSE(ImageLib::WriteJPEGImage(Path("out.jpg"), nullptr));
}

TEST_F(ImageTest, CreateImageRefusesSizesOutsideTheLimit)
{
    const std::pair<int64_t, int64_t> refused[] = {
        {0, 5}, {5, 0}, {-1, 5}, {16385, 16384}, {1, ImageLib::kMaxImagePixels + 1},
        {int64_t{1} << 32, int64_t{1} << 32},
    };
    for (const auto& [width, height] : refused)
        EXPECT_EQ(ImageLib::CreateImage(width, height), nullptr) << width << " x " << height;
    const ImagePtr image = ImageLib::CreateImage(3, 2);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(PixelsOf(*image), Pixels(6, 0));
}

// Writes a PNG of one row of `pixels`, or of the given size with every pixel `pixels[0]`.
void WritePicturePng(const std::string& path, const Pixels& pixels, const int width = 0, const int height = 1)
{
    const ImagePtr picture =
        width == 0 ? MakeImage(static_cast<int>(pixels.size()), 1, [&](int x, int) { return pixels[x]; })
                   : MakeImage(width, height, [&](int, int) { return pixels[0]; });
    ASSERT_TRUE(ImageLib::WritePNGImage(path, picture.get()));
}

TEST_F(ImageTest, GetImageSearchesExtensionsInOrder)
{
    // Each format's picture has its own width.
    const std::map<std::string, int> widths = {{".tga", 1}, {".jpg", 2}, {".png", 3}, {".gif", 4}};
    const auto makeFile = [&](const std::string& name) {
        const std::string extension = name.substr(name.rfind('.'));
        const int width = widths.at(extension);
        const std::string path = Path(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (extension == ".tga")
            WriteFile(path, TgaFile(1, 1, 32, 0x28, {0xFF000000}));
        else if (extension == ".jpg")
            WriteJpegFile(path, width, 1, 3, JCS_RGB, RampSamples(width, 1, 3));
        else if (extension == ".png")
            WritePicturePng(path, {0xFF000000}, width);
        else
            WriteFile(path, GifFile(kGifTable, {}, GifPicture{width, 1, Bytes(width, 1)}));
    };
    struct Case {
        std::vector<std::string> mFiles;
        std::string mName;
        int mWidth; // 0: no picture
    };
    const Case cases[] = {
        {{"tree.png", "tree.jpg"}, "tree", 2},
        {{"tree.gif", "tree.tga"}, "tree", 1},
        {{"tree.gif", "tree.png"}, "tree", 3},
        {{"tree.gif"}, "tree", 4},
        {{"tree.png", "tree.jpg"}, "tree.PNG", 3},
        {{"tree.png"}, "tree.gif", 0},
        {{"tree.png"}, "tree.bmp", 0},
        {{"dir.new/tree.png"}, "dir.new/tree", 3},
        {{"dir.new/tree.gif"}, "dir.new\\tree", 4},
        {{}, "tree", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        std::filesystem::remove_all(Path("case"));
        for (const std::string& file : c.mFiles)
            makeFile("case/" + file);
        const ImagePtr image(ImageLib::GetImage(Path("case/" + c.mName), false));
        EXPECT_EQ(image == nullptr ? 0 : image->GetWidth(), c.mWidth);
    }
}

TEST_F(ImageTest, AlphaImageSuppliesTheAlphaChannel)
{
    struct Case {
        const char* mAlphaFile;
        const char* mName;
    };
    const Case cases[] = {{"images/_tree.png", "images/tree.png"}, {"images/tree_.png", "images/tree"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAlphaFile);
        std::filesystem::remove_all(Path("images"));
        std::filesystem::create_directories(Path("images"));
        WritePicturePng(Path("images/tree.png"), {0x80123456}, 4);
        WritePicturePng(Path(c.mAlphaFile), {0xFF000000, 0xFF0000FF, 0x00FFFF10, 0xFF00FF00});

        const ImagePtr merged(ImageLib::GetImage(Path(c.mName), true));
        ASSERT_NE(merged, nullptr);
        EXPECT_EQ(PixelsOf(*merged), Pixels({0x00123456, 0xFF123456, 0x10123456, 0x00123456}));
        const ImagePtr plain(ImageLib::GetImage(Path(c.mName), false));
        ASSERT_NE(plain, nullptr);
        EXPECT_EQ(PixelsOf(*plain), Pixels(4, 0x80123456));
    }
}

TEST_F(ImageTest, AlphaImageAloneTakesTheComposeColor)
{
    std::filesystem::create_directories(Path("images"));
    WritePicturePng(Path("images/_tree.png"), {0xFF0000A0}, 2, 2);
    ImageLib::gAlphaComposeColor = 0x336699;
    const ImagePtr image(ImageLib::GetImage(Path("images/tree.png"), true));
    ImageLib::gAlphaComposeColor = 0xFFFFFF;
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(PixelsOf(*image), Pixels(4, 0xA0336699));
}

TEST_F(ImageTest, AlphaImageOfAnotherSizeIsIgnored)
{
    WritePicturePng(Path("tree.png"), {0x80123456}, 3, 2);
    WritePicturePng(Path("_tree.png"), {0xFF0000FF}, 2, 3);
    const ImagePtr image(ImageLib::GetImage(Path("tree.png"), true));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 3);
    EXPECT_EQ(PixelsOf(*image), Pixels(6, 0x80123456));
}

} // namespace
