#include "framework/resources/ImageLib.h"
#include "platform/j2k/J2kCodec.h"
#include "platform/win32/Library.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <openjpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// A picture to encode: each component holds 8-bit values over its own sample grid, which
// the encoder stores at the component's precision and sign so that a faithful decoder
// gives the 8-bit values back.
struct Picture {
    int width = 0;
    int height = 0;
    int components = 3;
    int precision = 8;
    bool isSigned = false;
    // Sample spacing of components 1 and 2 (2 for 4:2:0 chroma).
    int chromaStep = 1;
    OPJ_COLOR_SPACE colourSpace = OPJ_CLRSPC_SRGB;
    std::vector<std::vector<uint8_t>> values;

    int Step(const int component) const { return component == 1 || component == 2 ? chromaStep : 1; }
    int GridWidth(const int component) const { return (width + Step(component) - 1) / Step(component); }
    int GridHeight(const int component) const { return (height + Step(component) - 1) / Step(component); }
    uint8_t Value(const int component, const int x, const int y) const
    {
        const int step = Step(component);
        return values[component][(y / step) * GridWidth(component) + x / step];
    }
};

Picture MakePicture(const int width, const int height, const int components)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.components = components;
    picture.colourSpace = components < 3 ? OPJ_CLRSPC_GRAY : OPJ_CLRSPC_SRGB;
    picture.values.resize(components);
    uint32_t noise = 12345;
    for (int component = 0; component < components; ++component) {
        for (int i = 0; i < picture.GridWidth(component) * picture.GridHeight(component); ++i) {
            noise = noise * 1103515245 + 12345;
            picture.values[component].push_back(static_cast<uint8_t>(noise >> 16));
        }
    }
    return picture;
}

Picture WithChromaStep(Picture picture, const int step)
{
    picture.chromaStep = step;
    for (int component = 1; component < 3; ++component)
        picture.values[component].resize(picture.GridWidth(component) * picture.GridHeight(component));
    return picture;
}

// What the reader must return: grey in red, green and blue, alpha always opaque.
std::vector<uint32_t> ExpectedPixels(const Picture& picture)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.components < 3) {
                pixels.push_back(0xFF000000 | picture.Value(0, x, y) * 0x010101u);
            } else {
                pixels.push_back(0xFF000000 | picture.Value(0, x, y) << 16 | picture.Value(1, x, y) << 8
                    | picture.Value(2, x, y));
            }
        }
    }
    return pixels;
}

int32_t StoredSample(const Picture& picture, const uint8_t value)
{
    const int32_t maximum = (1 << picture.precision) - 1;
    const int32_t sample = static_cast<int32_t>(std::lround(value * maximum / 255.0));
    return picture.isSigned ? sample - (1 << (picture.precision - 1)) : sample;
}

struct DestroyImage {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};
struct DestroyCodec {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct DestroyStream {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};

// Encodes losslessly with the reversible wavelet, with as many of the resolution levels
// as the picture's size allows.
bool Encode(const Picture& picture, const std::filesystem::path& path, const OPJ_CODEC_FORMAT format,
    int resolutions = 3)
{
    while (resolutions > 1 && std::min(picture.width, picture.height) >> (resolutions - 1) < 2)
        --resolutions;
    std::vector<opj_image_cmptparm_t> parameters(picture.components);
    for (int component = 0; component < picture.components; ++component) {
        opj_image_cmptparm_t& parameter = parameters[component];
        std::memset(&parameter, 0, sizeof parameter);
        parameter.dx = parameter.dy = static_cast<OPJ_UINT32>(picture.Step(component));
        parameter.w = static_cast<OPJ_UINT32>(picture.GridWidth(component));
        parameter.h = static_cast<OPJ_UINT32>(picture.GridHeight(component));
        parameter.prec = static_cast<OPJ_UINT32>(picture.precision);
        parameter.sgnd = picture.isSigned ? 1 : 0;
    }
    const std::unique_ptr<opj_image_t, DestroyImage> image(
        opj_image_create(static_cast<OPJ_UINT32>(picture.components), parameters.data(), picture.colourSpace));
    if (image == nullptr)
        return false;
    image->x1 = static_cast<OPJ_UINT32>(picture.width);
    image->y1 = static_cast<OPJ_UINT32>(picture.height);
    for (int component = 0; component < picture.components; ++component) {
        const std::vector<uint8_t>& values = picture.values[component];
        std::transform(values.begin(), values.end(), image->comps[component].data,
            [&](const uint8_t value) { return StoredSample(picture, value); });
    }
    if (picture.components == 2 || picture.components == 4)
        image->comps[picture.components - 1].alpha = 1;

    opj_cparameters_t settings;
    opj_set_default_encoder_parameters(&settings);
    settings.tcp_numlayers = 1;
    settings.tcp_rates[0] = 0;
    settings.cp_disto_alloc = 1;
    settings.numresolution = resolutions;
    settings.tcp_mct = picture.components >= 3 && picture.chromaStep == 1 ? 1 : 0;
    const std::unique_ptr<opj_codec_t, DestroyCodec> codec(opj_create_compress(format));
    const std::unique_ptr<opj_stream_t, DestroyStream> stream(
        opj_stream_create_default_file_stream(path.c_str(), OPJ_FALSE));
    return codec != nullptr && stream != nullptr && opj_setup_encoder(codec.get(), &settings, image.get())
        && opj_start_compress(codec.get(), image.get(), stream.get()) && opj_encode(codec.get(), stream.get())
        && opj_end_compress(codec.get(), stream.get());
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, const size_t count)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(count));
}

std::vector<uint32_t> PixelsOf(const ImageLib::Image& image)
{
    return {image.mBits, image.mBits + static_cast<size_t>(image.mWidth) * image.mHeight};
}

class Jpeg2000ReaderTest : public testing::Test {
protected:
    void SetUp() override { ImageLib::LoadJPEG2000Codec(); }
    void TearDown() override { ImageLib::FreeJPEG2000Codec(); }

    // Encodes the picture into the folder and returns the file's path.
    std::string EncodeFile(const Picture& picture, const std::string& name, const int resolutions = 3) const
    {
        const std::filesystem::path path = mFolder.Path() / name;
        const OPJ_CODEC_FORMAT format = path.extension() == ".jp2" ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K;
        EXPECT_TRUE(Encode(picture, path, format, resolutions)) << name;
        return path.string();
    }

    static std::unique_ptr<ImageLib::Image> Read(const std::string& path)
    {
        return std::unique_ptr<ImageLib::Image>(ImageLib::GetJPEG2000Image(path));
    }

    const Tests::TemporaryFolder mFolder;
};

struct LosslessCase {
    const char* name;
    Picture picture;
};

Picture Signed(Picture picture)
{
    picture.isSigned = true;
    return picture;
}

Picture WithPrecision(Picture picture, const int precision)
{
    picture.precision = precision;
    return picture;
}

TEST_F(Jpeg2000ReaderTest, LosslessPicturesComeBackExactlyAndOpaque)
{
    const LosslessCase cases[] = {
        {"grey.j2k", MakePicture(37, 23, 1)},
        {"grey.jp2", MakePicture(37, 23, 1)},
        {"grey-alpha.j2k", MakePicture(16, 9, 2)},
        {"grey-alpha.jp2", MakePicture(16, 9, 2)},
        {"rgb.j2k", MakePicture(37, 23, 3)},
        {"rgb.jp2", MakePicture(37, 23, 3)},
        {"rgba.j2k", MakePicture(21, 30, 4)},
        {"rgba.jp2", MakePicture(21, 30, 4)},
        {"one-pixel.j2k", MakePicture(1, 1, 3)},
        {"chroma-420.j2k", WithChromaStep(MakePicture(37, 23, 3), 2)},
        {"chroma-420.jp2", WithChromaStep(MakePicture(36, 22, 3), 2)},
        {"grey-12-bit.j2k", WithPrecision(MakePicture(19, 11, 1), 12)},
        {"rgb-4-bit.jp2", WithPrecision(MakePicture(19, 11, 3), 4)},
        {"grey-signed.j2k", Signed(MakePicture(19, 11, 1))},
        {"rgb-signed-12-bit.jp2", Signed(WithPrecision(MakePicture(19, 11, 3), 12))},
    };
    for (const LosslessCase& test : cases) {
        SCOPED_TRACE(test.name);
        Picture picture = test.picture;
        if (picture.precision < 8) {
            // Values that survive the trip through fewer bits.
            for (std::vector<uint8_t>& values : picture.values)
                for (uint8_t& value : values)
                    value = static_cast<uint8_t>(value >> (8 - picture.precision) << (8 - picture.precision)
                        | value >> picture.precision);
        }
        const std::unique_ptr<ImageLib::Image> image = Read(EncodeFile(picture, test.name));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->mWidth, picture.width);
        EXPECT_EQ(image->mHeight, picture.height);
        EXPECT_EQ(PixelsOf(*image), ExpectedPixels(picture));
    }
}

TEST_F(Jpeg2000ReaderTest, YccPicturesAreConvertedToRgb)
{
    struct Colour {
        uint8_t luma, blueDifference, redDifference;
        uint32_t rgb;
    };
    const Colour colours[] = {
        {76, 85, 255, 0xFE0000},
        {150, 44, 21, 0x00FF01},
        {29, 255, 107, 0x0000FF},
        {255, 128, 128, 0xFFFFFF},
        {0, 128, 128, 0x000000},
    };
    for (const Colour& colour : colours) {
        Picture picture = MakePicture(8, 8, 3);
        picture.colourSpace = OPJ_CLRSPC_SYCC;
        std::fill(picture.values[0].begin(), picture.values[0].end(), colour.luma);
        std::fill(picture.values[1].begin(), picture.values[1].end(), colour.blueDifference);
        std::fill(picture.values[2].begin(), picture.values[2].end(), colour.redDifference);
        const std::unique_ptr<ImageLib::Image> image = Read(EncodeFile(picture, "ycc.jp2"));
        ASSERT_NE(image, nullptr);
        for (const uint32_t pixel : PixelsOf(*image)) {
            EXPECT_EQ(pixel >> 24, 0xFFu);
            for (const int shift : {16, 8, 0})
                EXPECT_NEAR(static_cast<int>(pixel >> shift & 0xFF), static_cast<int>(colour.rgb >> shift & 0xFF), 1)
                    << std::hex << pixel << " for " << colour.rgb;
        }
    }
}

TEST_F(Jpeg2000ReaderTest, SidesUpTo16384PixelsAreRead)
{
    const struct {
        int width, height;
        bool read;
    } cases[] = {{16384, 1, true}, {1, 16384, true}, {16385, 1, false}, {1, 16385, false}};
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.width << " x " << test.height);
        const std::unique_ptr<ImageLib::Image> image
            = Read(EncodeFile(MakePicture(test.width, test.height, 1), "long.j2k", 1));
        EXPECT_EQ(image != nullptr, test.read);
    }
}

TEST_F(Jpeg2000ReaderTest, EveryTruncationIsRefused)
{
    for (const char* name : {"small.j2k", "small.jp2"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = ReadBytes(EncodeFile(MakePicture(9, 7, 3), name));
        ASSERT_FALSE(bytes.empty());
        const std::string cut = (mFolder.Path() / "cut").string();
        for (size_t length = 0; length < bytes.size(); ++length) {
            WriteBytes(cut, bytes, length);
            EXPECT_EQ(Read(cut), nullptr) << "length " << length << " of " << bytes.size();
        }
        WriteBytes(cut, bytes, bytes.size());
        EXPECT_NE(Read(cut), nullptr);
    }
}

// A zero tile-part length (and a zero JP2 box length) means "up to the end of the file",
// which the decoder can only honour by knowing the file's length.
TEST_F(Jpeg2000ReaderTest, PartsRunningToTheEndOfTheFileAreRead)
{
    const auto zero = [](std::vector<uint8_t>& bytes, const std::vector<uint8_t>& marker, const ptrdiff_t offset) {
        const auto found = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
        ASSERT_NE(found, bytes.end());
        std::fill_n(found + offset, 4, 0);
    };
    const Picture picture = MakePicture(17, 12, 3);
    for (const char* name : {"open-ended.j2k", "open-ended.jp2"}) {
        SCOPED_TRACE(name);
        const std::string path = EncodeFile(picture, name);
        std::vector<uint8_t> bytes = ReadBytes(path);
        zero(bytes, {0xFF, 0x90}, 6);
        if (std::string(name).ends_with(".jp2"))
            zero(bytes, {'j', 'p', '2', 'c'}, -4);
        WriteBytes(path, bytes, bytes.size());
        const std::unique_ptr<ImageLib::Image> image = Read(path);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(PixelsOf(*image), ExpectedPixels(picture));
    }
}

TEST_F(Jpeg2000ReaderTest, FilesOfAnotherKindAreRefused)
{
    const std::vector<std::vector<uint8_t>> files = {
        {},
        {0xFF, 0x4F, 0xFF},
        {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D},
        {0xFF, 0xD8, 0xFF, 0xE0},
        {0xFF, 0x4F, 0xFF, 0x51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF},
    };
    const std::string path = (mFolder.Path() / "other.j2k").string();
    for (const std::vector<uint8_t>& file : files) {
        WriteBytes(path, file, file.size());
        EXPECT_EQ(Read(path), nullptr) << "file of " << file.size() << " bytes";
    }
    EXPECT_EQ(Read((mFolder.Path() / "missing.j2k").string()), nullptr);
}

// A damaged byte may still leave a decodable picture; what matters is that none crashes
// the reader or yields a picture of another size.
TEST_F(Jpeg2000ReaderTest, EveryDamagedByteIsSurvived)
{
    for (const char* name : {"damaged.j2k", "damaged.jp2"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = ReadBytes(EncodeFile(MakePicture(6, 5, 4), name));
        const std::string damaged = (mFolder.Path() / "damaged").string();
        for (size_t position = 0; position < bytes.size(); ++position) {
            for (const uint8_t mask : {0x01, 0xFF}) {
                std::vector<uint8_t> copy = bytes;
                copy[position] ^= mask;
                WriteBytes(damaged, copy, copy.size());
                const std::unique_ptr<ImageLib::Image> image = Read(damaged);
                if (image != nullptr) {
                    EXPECT_GT(image->mWidth, 0);
                    EXPECT_GT(image->mHeight, 0);
                    EXPECT_TRUE(std::all_of(image->mBits, image->mBits + image->mWidth * image->mHeight,
                        [](const uint32_t pixel) { return pixel >> 24 == 0xFF; }));
                }
            }
        }
    }
}

TEST_F(Jpeg2000ReaderTest, WithoutTheCodecNothingIsRead)
{
    const std::string path = EncodeFile(MakePicture(8, 8, 3), "picture.jp2");
    ASSERT_NE(Read(path), nullptr);
    ImageLib::FreeJPEG2000Codec();
    EXPECT_EQ(Read(path), nullptr);
    ImageLib::LoadJPEG2000Codec();
    EXPECT_NE(Read(path), nullptr);
}

// The codec called directly, as the reader binds it.
class Jpeg2000CodecTest : public testing::Test {
protected:
    void SetUp() override
    {
        mModule = Win32::LoadLibraryA("j2k-codec.dll");
        ASSERT_NE(mModule, nullptr);
    }
    void TearDown() override
    {
        if (mModule != nullptr)
            Win32::FreeLibrary(mModule);
    }

    // The type comes from the codec's declaration, never its address: the test program does
    // not link the codec.
    template <typename Function>
    Function Bind(const char* name) const
    {
        return reinterpret_cast<Function>(Win32::GetProcAddress(mModule, name));
    }

    const Tests::TemporaryFolder mFolder;
    Win32::HMODULE mModule = nullptr;
};

TEST_F(Jpeg2000CodecTest, EveryEntryPointResolvesByItsDecoratedName)
{
    const char* const names[] = {"_J2K_getVersion@0", "_J2K_OpenCustom@8", "_J2K_OpenFile@4",
        "_J2K_Close@4", "_J2K_GetInfo@16", "_J2K_GetResolutionDimensions@16", "_J2K_Decode@20",
        "_J2K_getLastError@0", "_J2K_getErrorStr@4"};
    for (const char* name : names)
        EXPECT_NE(Win32::GetProcAddress(mModule, name), nullptr) << name;
    EXPECT_GE(Bind<decltype(&J2K_getVersion)>("_J2K_getVersion@0")(), 0x120000);
}

// Bytes in memory behind the stream callbacks, counting the closes.
struct MemoryStream {
    std::vector<uint8_t> bytes;
    size_t position = 0;
    int closes = 0;

    static int Seek(const int position, void* user)
    {
        MemoryStream& stream = *static_cast<MemoryStream*>(user);
        if (position < 0 || static_cast<size_t>(position) > stream.bytes.size())
            return -1;
        stream.position = static_cast<size_t>(position);
        return 0;
    }
    static int Read(void* buffer, const int size, void* user)
    {
        MemoryStream& stream = *static_cast<MemoryStream*>(user);
        const size_t count = std::min(static_cast<size_t>(size), stream.bytes.size() - stream.position);
        std::memcpy(buffer, stream.bytes.data() + stream.position, count);
        stream.position += count;
        return static_cast<int>(count);
    }
    static void Close(void* user) { ++static_cast<MemoryStream*>(user)->closes; }
};

constexpr J2K_Callbacks kMemoryCallbacks = {MemoryStream::Seek, MemoryStream::Read, MemoryStream::Close};

TEST_F(Jpeg2000CodecTest, DecodesRowsAtTheCallersPitchAndClosesTheStreamOnce)
{
    const auto openCustom = Bind<decltype(&J2K_OpenCustom)>("_J2K_OpenCustom@8");
    const auto getInfo = Bind<decltype(&J2K_GetInfo)>("_J2K_GetInfo@16");
    const auto decode = Bind<decltype(&J2K_Decode)>("_J2K_Decode@20");
    const auto close = Bind<decltype(&J2K_Close)>("_J2K_Close@4");
    const Picture picture = MakePicture(5, 3, 4);
    const std::filesystem::path path = mFolder.Path() / "picture.j2k";
    ASSERT_TRUE(Encode(picture, path, OPJ_CODEC_J2K));
    MemoryStream stream{ReadBytes(path)};

    void* const handle = openCustom(&stream, &kMemoryCallbacks);
    ASSERT_NE(handle, nullptr);
    int width = 0;
    int height = 0;
    int components = 0;
    ASSERT_EQ(getInfo(handle, &width, &height, &components), 0);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(components, 4);

    constexpr int kPitch = 5 * 4 + 8;
    std::vector<uint32_t> words(kPitch / 4 * 3, 0xDEADBEEF);
    unsigned char* buffer = reinterpret_cast<unsigned char*>(words.data());
    int size = kPitch * 2 + 5 * 4;
    int pitch = kPitch;
    ASSERT_EQ(decode(handle, &buffer, &size, "bpp=4,rl=0", &pitch), 0);
    close(handle);
    EXPECT_EQ(stream.closes, 1);

    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < kPitch / 4; ++x) {
            const uint32_t word = words[y * (kPitch / 4) + x];
            if (x >= 5) {
                EXPECT_EQ(word, 0xDEADBEEF) << "padding at " << x << ", " << y;
            } else {
                const uint32_t expected = static_cast<uint32_t>(picture.Value(3, x, y)) << 24
                    | (ExpectedPixels(picture)[y * 5 + x] & 0xFFFFFF);
                EXPECT_EQ(word, expected) << x << ", " << y;
            }
        }
    }
}

TEST_F(Jpeg2000CodecTest, BadCallsFailWithAnErrorText)
{
    const auto openCustom = Bind<decltype(&J2K_OpenCustom)>("_J2K_OpenCustom@8");
    const auto openFile = Bind<decltype(&J2K_OpenFile)>("_J2K_OpenFile@4");
    const auto getResolutionDimensions = Bind<decltype(&J2K_GetResolutionDimensions)>("_J2K_GetResolutionDimensions@16");
    const auto decode = Bind<decltype(&J2K_Decode)>("_J2K_Decode@20");
    const auto close = Bind<decltype(&J2K_Close)>("_J2K_Close@4");
    const auto getLastError = Bind<decltype(&J2K_getLastError)>("_J2K_getLastError@0");
    const auto getErrorStr = Bind<decltype(&J2K_getErrorStr)>("_J2K_getErrorStr@4");
    const std::filesystem::path path = mFolder.Path() / "picture.jp2";
    ASSERT_TRUE(Encode(MakePicture(6, 4, 3), path, OPJ_CODEC_JP2));
    constexpr int kFullSize = 6 * 4 * 4;

    struct Call {
        const char* name;
        int size;
        int pitch;
        const char* options;
        bool twice;
    };
    const Call calls[] = {
        {"buffer one byte short", kFullSize - 1, 6 * 4, "bpp=4,rl=0", false},
        {"pitch shorter than a row", kFullSize, 6 * 4 - 4, "bpp=4,rl=0", false},
        {"negative pitch", kFullSize, -24, "bpp=4,rl=0", false},
        {"three bytes a pixel", kFullSize, 6 * 4, "bpp=3", false},
        {"reduced resolution", kFullSize, 6 * 4, "bpp=4,rl=1", false},
        {"malformed option", kFullSize, 6 * 4, "bpp=four", false},
        {"second decode", kFullSize, 6 * 4, nullptr, true},
    };
    for (const Call& call : calls) {
        SCOPED_TRACE(call.name);
        void* const handle = openFile(path.c_str());
        ASSERT_NE(handle, nullptr);
        std::vector<uint8_t> bytes(kFullSize + 64, 0xAB);
        unsigned char* buffer = bytes.data();
        int size = call.size;
        int pitch = call.pitch;
        if (call.twice) {
            ASSERT_EQ(decode(handle, &buffer, &size, call.options, &pitch), 0);
        }
        EXPECT_NE(decode(handle, &buffer, &size, call.options, &pitch), 0);
        EXPECT_NE(getLastError(), 0);
        EXPECT_STRNE(getErrorStr(getLastError()), "");
        if (!call.twice) {
            EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](const uint8_t byte) { return byte == 0xAB; }));
        }
        close(handle);
    }

    int width = 0;
    int height = 0;
    void* const handle = openFile(path.c_str());
    EXPECT_NE(getResolutionDimensions(handle, 1, &width, &height), 0);
    EXPECT_NE(getResolutionDimensions(nullptr, 0, &width, &height), 0);
    close(handle);
    EXPECT_NE(getResolutionDimensions(handle, 0, &width, &height), 0) << "closed handle";
    close(handle);
    EXPECT_EQ(openFile((mFolder.Path() / "missing.jp2").c_str()), nullptr);
    EXPECT_EQ(openCustom(nullptr, nullptr), nullptr);
    MemoryStream notAPicture{{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(openCustom(&notAPicture, &kMemoryCallbacks), nullptr);
    EXPECT_EQ(notAPicture.closes, 0);
    EXPECT_STRNE(getErrorStr(getLastError()), "");
}

} // namespace
