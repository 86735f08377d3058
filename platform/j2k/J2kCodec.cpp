#include "platform/j2k/J2kCodec.h"

#include <openjpeg.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kVersion = 0x200000;
constexpr int kMaxSide = 16384;

enum Error : int {
    kNoError = 0,
    kInvalidArgument,
    kUnknownFormat,
    kReadFailed,
    kUnsupported,
    kTooLarge,
    kBufferTooSmall,
    kDecodeFailed,
    kOutOfMemory,
    kOpenFailed,
};

const char* Describe(const int error)
{
    switch (error) {
    case kNoError: return "no error";
    case kInvalidArgument: return "invalid argument";
    case kUnknownFormat: return "not a JPEG 2000 codestream or JP2 file";
    case kReadFailed: return "cannot read the picture's header";
    case kUnsupported: return "unsupported picture or option";
    case kTooLarge: return "picture too large";
    case kBufferTooSmall: return "buffer too small";
    case kDecodeFailed: return "cannot decode the picture";
    case kOutOfMemory: return "out of memory";
    case kOpenFailed: return "cannot open the file";
    default: return "unknown error";
    }
}

// Per thread, so that pictures decoded on two threads at once report their own failures.
thread_local int tLastError = kNoError;
thread_local std::string tLastErrorText;

int Fail(const int error, const std::string_view detail = {})
{
    tLastError = error;
    tLastErrorText = Describe(error);
    if (!detail.empty())
        tLastErrorText.append(": ").append(detail);
    return error;
}

struct DestroyCodec {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct DestroyStream {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct DestroyImage {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};

struct Decoder {
    Decoder(void* user, const J2K_Callbacks& callbacks) : mUser(user), mCallbacks(callbacks) {}

    void* const mUser;
    const J2K_Callbacks mCallbacks;
    int64_t mPosition = 0;
    // The library's last error message; declared before the codec, which reports into it.
    std::string mLibraryError;
    std::unique_ptr<opj_codec_t, DestroyCodec> mCodec;
    std::unique_ptr<opj_stream_t, DestroyStream> mStream;
    // Set once the header is read.
    std::unique_ptr<opj_image_t, DestroyImage> mImage;
    // The stream is used up by one decode.
    bool mDecoded = false;
};

// The open handles, so that a stale or foreign handle is refused instead of followed.
std::mutex gHandlesMutex;
std::unordered_set<Decoder*> gHandles;

Decoder* FindDecoder(void* handle)
{
    const std::lock_guard lock(gHandlesMutex);
    const auto found = gHandles.find(static_cast<Decoder*>(handle));
    return found == gHandles.end() ? nullptr : *found;
}

bool SeekTo(Decoder& decoder, const int64_t position)
{
    if (position < 0 || position > INT_MAX || decoder.mCallbacks.seek(static_cast<int>(position), decoder.mUser) != 0)
        return false;
    decoder.mPosition = position;
    return true;
}

// Reads until `size` bytes arrived or the stream ended; returns the number read.
int ReadFully(Decoder& decoder, unsigned char* buffer, const int size)
{
    int total = 0;
    while (total < size) {
        const int got = decoder.mCallbacks.read(buffer + total, size - total, decoder.mUser);
        if (got <= 0)
            break;
        total += std::min(got, size - total);
    }
    decoder.mPosition += total;
    return total;
}

OPJ_SIZE_T ReadStream(void* buffer, const OPJ_SIZE_T count, void* data)
{
    Decoder& decoder = *static_cast<Decoder*>(data);
    const int wanted = static_cast<int>(std::min<OPJ_SIZE_T>(count, INT_MAX));
    const int got = decoder.mCallbacks.read(buffer, wanted, decoder.mUser);
    if (got <= 0)
        return static_cast<OPJ_SIZE_T>(-1);
    const int kept = std::min(got, wanted);
    decoder.mPosition += kept;
    return static_cast<OPJ_SIZE_T>(kept);
}

OPJ_OFF_T SkipStream(const OPJ_OFF_T count, void* data)
{
    Decoder& decoder = *static_cast<Decoder*>(data);
    return SeekTo(decoder, decoder.mPosition + count) ? count : -1;
}

OPJ_BOOL SeekStream(const OPJ_OFF_T position, void* data)
{
    return SeekTo(*static_cast<Decoder*>(data), position) ? OPJ_TRUE : OPJ_FALSE;
}

bool HasByteAt(Decoder& decoder, const int64_t position)
{
    unsigned char byte = 0;
    return SeekTo(decoder, position) && decoder.mCallbacks.read(&byte, 1, decoder.mUser) == 1;
}

// The library needs the stream's length to find the end of a last tile-part or box that
// runs to the end, and the callbacks cannot report it: it is found by probing for the last
// readable byte, doubling from a length the stream is known to reach and then halving.
std::optional<int64_t> MeasureLength(Decoder& decoder, const int64_t known)
{
    int64_t readable = known;
    int64_t beyond = std::max<int64_t>(known, 1);
    while (HasByteAt(decoder, beyond)) {
        if (beyond == INT_MAX)
            return std::nullopt;
        readable = beyond + 1;
        beyond = std::min<int64_t>(beyond * 2, INT_MAX);
    }
    while (readable < beyond) {
        const int64_t middle = readable + (beyond - readable) / 2;
        if (HasByteAt(decoder, middle))
            readable = middle + 1;
        else
            beyond = middle;
    }
    return readable;
}

std::optional<OPJ_CODEC_FORMAT> SniffFormat(const unsigned char* bytes, const int count)
{
    static constexpr unsigned char kCodestream[] = {0xFF, 0x4F, 0xFF, 0x51};
    static constexpr unsigned char kJp2[] = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
    if (count >= static_cast<int>(sizeof kCodestream) && std::memcmp(bytes, kCodestream, sizeof kCodestream) == 0)
        return OPJ_CODEC_J2K;
    if (count >= static_cast<int>(sizeof kJp2) && std::memcmp(bytes, kJp2, sizeof kJp2) == 0)
        return OPJ_CODEC_JP2;
    return std::nullopt;
}

void IgnoreMessage(const char*, void*) {}

void KeepError(const char* message, void* data)
{
    std::string& text = static_cast<Decoder*>(data)->mLibraryError;
    text = message;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
}

std::unique_ptr<Decoder> Open(void* user, const J2K_Callbacks* callbacks)
{
    if (callbacks == nullptr || callbacks->seek == nullptr || callbacks->read == nullptr) {
        Fail(kInvalidArgument, "the stream needs seek and read callbacks");
        return nullptr;
    }
    auto decoder = std::make_unique<Decoder>(user, *callbacks);
    unsigned char signature[12] = {};
    if (!SeekTo(*decoder, 0)) {
        Fail(kReadFailed, "cannot seek to the start of the stream");
        return nullptr;
    }
    const int signatureLength = ReadFully(*decoder, signature, sizeof signature);
    const std::optional<OPJ_CODEC_FORMAT> format = SniffFormat(signature, signatureLength);
    if (!format) {
        Fail(kUnknownFormat);
        return nullptr;
    }
    const std::optional<int64_t> length = MeasureLength(*decoder, signatureLength);
    if (!length) {
        Fail(kTooLarge, "the stream is longer than 2 GB");
        return nullptr;
    }
    if (!SeekTo(*decoder, 0)) {
        Fail(kReadFailed, "cannot seek to the start of the stream");
        return nullptr;
    }

    decoder->mCodec.reset(opj_create_decompress(*format));
    decoder->mStream.reset(opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE));
    if (decoder->mCodec == nullptr || decoder->mStream == nullptr) {
        Fail(kOutOfMemory);
        return nullptr;
    }
    opj_codec_t* const codec = decoder->mCodec.get();
    opj_set_info_handler(codec, IgnoreMessage, nullptr);
    opj_set_warning_handler(codec, IgnoreMessage, nullptr);
    opj_set_error_handler(codec, KeepError, decoder.get());
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    // Strict: a cut-off picture is an error rather than a partly grey picture.
    if (!opj_setup_decoder(codec, &parameters) || !opj_decoder_set_strict_mode(codec, OPJ_TRUE)) {
        Fail(kDecodeFailed, decoder->mLibraryError);
        return nullptr;
    }
    opj_stream_t* const stream = decoder->mStream.get();
    opj_stream_set_read_function(stream, ReadStream);
    opj_stream_set_skip_function(stream, SkipStream);
    opj_stream_set_seek_function(stream, SeekStream);
    opj_stream_set_user_data(stream, decoder.get(), nullptr);
    opj_stream_set_user_data_length(stream, static_cast<OPJ_UINT64>(*length));
    return decoder;
}

void* Register(std::unique_ptr<Decoder> decoder)
{
    const std::lock_guard lock(gHandlesMutex);
    gHandles.insert(decoder.get());
    return decoder.release();
}

int ReadHeader(Decoder& decoder)
{
    if (decoder.mImage != nullptr)
        return kNoError;
    opj_image_t* image = nullptr;
    const bool read = opj_read_header(decoder.mStream.get(), decoder.mCodec.get(), &image);
    std::unique_ptr<opj_image_t, DestroyImage> owned(image);
    if (!read || owned == nullptr)
        return Fail(kReadFailed, decoder.mLibraryError);
    if (owned->x1 <= owned->x0 || owned->y1 <= owned->y0 || owned->numcomps == 0)
        return Fail(kReadFailed, "the picture is empty");
    if (owned->x1 - owned->x0 > kMaxSide || owned->y1 - owned->y0 > kMaxSide)
        return Fail(kTooLarge, "more than 16384 pixels a side");
    decoder.mImage = std::move(owned);
    return kNoError;
}

int Width(const opj_image_t& image) { return static_cast<int>(image.x1 - image.x0); }
int Height(const opj_image_t& image) { return static_cast<int>(image.y1 - image.y0); }

int CheckOptions(const char* options)
{
    std::string_view rest = options == nullptr ? std::string_view() : std::string_view(options);
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string_view option = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const size_t equals = option.find('=');
        const std::string_view key = option.substr(0, equals);
        if (key != "bpp" && key != "rl")
            continue;
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : option.substr(equals + 1);
        int number = -1;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || end != value.data() + value.size())
            return Fail(kInvalidArgument, "bad option \"" + std::string(option) + "\"");
        if (key == "bpp" && number != 4)
            return Fail(kUnsupported, "only 4 bytes a pixel are written");
        if (key == "rl" && number != 0)
            return Fail(kUnsupported, "only resolution level 0 is decoded");
    }
    return kNoError;
}

// One decoded component as 8-bit samples over the picture's pixels: a sub-sampled
// component repeats each sample over the pixels it covers.
class Channel {
public:
    Channel(const opj_image_t& image, const opj_image_comp_t& component)
        : mComponent(component)
        , mColumns(static_cast<size_t>(Width(image)))
    {
        for (uint32_t x = 0; x < mColumns.size(); ++x)
            mColumns[x] = Clamp((image.x0 + x) / component.dx, component.x0, component.w);
        mRowStart = image.y0;
        const uint32_t precision = component.prec;
        mMaximum = (int64_t{1} << precision) - 1;
        mOffset = component.sgnd ? int64_t{1} << (precision - 1) : 0;
    }

    uint8_t At(const uint32_t x, const uint32_t y) const
    {
        const uint32_t row = Clamp((mRowStart + y) / mComponent.dy, mComponent.y0, mComponent.h);
        const int64_t sample = std::clamp<int64_t>(
            mComponent.data[static_cast<size_t>(row) * mComponent.w + mColumns[x]] + mOffset, 0, mMaximum);
        return static_cast<uint8_t>((sample * 255 + mMaximum / 2) / mMaximum);
    }

private:
    static uint32_t Clamp(const uint32_t gridSample, const uint32_t first, const uint32_t count)
    {
        return gridSample < first ? 0 : std::min(gridSample - first, count - 1);
    }

    const opj_image_comp_t& mComponent;
    std::vector<uint32_t> mColumns;
    uint32_t mRowStart = 0;
    int64_t mMaximum = 255;
    int64_t mOffset = 0;
};

uint8_t ToByte(const double value)
{
    return static_cast<uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
}

uint32_t YccToRgb(const uint8_t y, const uint8_t cb, const uint8_t cr)
{
    const double blueDifference = cb - 128.0;
    const double redDifference = cr - 128.0;
    const uint32_t red = ToByte(y + 1.402 * redDifference);
    const uint32_t green = ToByte(y - 0.344136 * blueDifference - 0.714136 * redDifference);
    const uint32_t blue = ToByte(y + 1.772 * blueDifference);
    return (red << 16) | (green << 8) | blue;
}

int WritePixels(const opj_image_t& image, unsigned char* buffer, const int pitch)
{
    if (image.color_space == OPJ_CLRSPC_CMYK || image.color_space == OPJ_CLRSPC_EYCC)
        return Fail(kUnsupported, "CMYK and e-YCC pictures are not converted");
    const uint32_t count = std::min<uint32_t>(image.numcomps, 4);
    for (uint32_t index = 0; index < count; ++index) {
        const opj_image_comp_t& component = image.comps[index];
        if (component.data == nullptr || component.w == 0 || component.h == 0 || component.dx == 0
            || component.dy == 0)
            return Fail(kDecodeFailed, "a component has no samples");
        if (component.prec < 1 || component.prec > 31)
            return Fail(kUnsupported, "component precision outside 1 to 31 bits");
    }
    std::vector<Channel> channels;
    channels.reserve(count);
    for (uint32_t index = 0; index < count; ++index)
        channels.emplace_back(image, image.comps[index]);

    const bool colour = count >= 3;
    const bool ycc = colour && image.color_space == OPJ_CLRSPC_SYCC;
    const bool alpha = count == 2 || count == 4;
    const uint32_t width = static_cast<uint32_t>(Width(image));
    const uint32_t height = static_cast<uint32_t>(Height(image));
    std::vector<uint32_t> row(width);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t opacity = alpha ? channels.back().At(x, y) : 0xFF;
            uint32_t rgb = 0;
            if (ycc) {
                rgb = YccToRgb(channels[0].At(x, y), channels[1].At(x, y), channels[2].At(x, y));
            } else if (colour) {
                rgb = (uint32_t{channels[0].At(x, y)} << 16) | (uint32_t{channels[1].At(x, y)} << 8)
                    | channels[2].At(x, y);
            } else {
                rgb = uint32_t{channels[0].At(x, y)} * 0x010101;
            }
            row[x] = (opacity << 24) | rgb;
        }
        std::memcpy(buffer + static_cast<size_t>(y) * static_cast<size_t>(pitch), row.data(), width * sizeof(uint32_t));
    }
    return kNoError;
}

int SeekFile(const int position, void* user)
{
    return std::fseek(static_cast<FILE*>(user), position, SEEK_SET);
}

int ReadFile(void* buffer, const int size, void* user)
{
    return size <= 0 ? 0 : static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(size), static_cast<FILE*>(user)));
}

void CloseFile(void* user)
{
    std::fclose(static_cast<FILE*>(user));
}

} // namespace

extern "C" {

int J2K_getVersion(void)
{
    return kVersion;
}

void* J2K_OpenCustom(void* user, const J2K_Callbacks* callbacks)
{
    std::unique_ptr<Decoder> decoder = Open(user, callbacks);
    return decoder == nullptr ? nullptr : Register(std::move(decoder));
}

void* J2K_OpenFile(const char* path)
{
    if (path == nullptr) {
        Fail(kInvalidArgument, "no file name");
        return nullptr;
    }
    FILE* const file = std::fopen(path, "rb");
    if (file == nullptr) {
        Fail(kOpenFailed, path);
        return nullptr;
    }
    const J2K_Callbacks callbacks = {SeekFile, ReadFile, CloseFile};
    std::unique_ptr<Decoder> decoder = Open(file, &callbacks);
    if (decoder == nullptr) {
        std::fclose(file);
        return nullptr;
    }
    return Register(std::move(decoder));
}

void J2K_Close(void* handle)
{
    std::unique_ptr<Decoder> decoder;
    {
        const std::lock_guard lock(gHandlesMutex);
        if (gHandles.erase(static_cast<Decoder*>(handle)) == 0)
            return;
        decoder.reset(static_cast<Decoder*>(handle));
    }
    if (decoder->mCallbacks.close != nullptr)
        decoder->mCallbacks.close(decoder->mUser);
}

int J2K_GetInfo(void* handle, int* width, int* height, int* components)
{
    Decoder* const decoder = FindDecoder(handle);
    if (decoder == nullptr)
        return Fail(kInvalidArgument, "unknown handle");
    if (width == nullptr || height == nullptr || components == nullptr)
        return Fail(kInvalidArgument, "null result address");
    if (const int error = ReadHeader(*decoder))
        return error;
    *width = Width(*decoder->mImage);
    *height = Height(*decoder->mImage);
    *components = static_cast<int>(decoder->mImage->numcomps);
    return kNoError;
}

int J2K_GetResolutionDimensions(void* handle, int level, int* width, int* height)
{
    Decoder* const decoder = FindDecoder(handle);
    if (decoder == nullptr)
        return Fail(kInvalidArgument, "unknown handle");
    if (width == nullptr || height == nullptr)
        return Fail(kInvalidArgument, "null result address");
    if (level != 0)
        return Fail(kUnsupported, "only resolution level 0 is decoded");
    if (const int error = ReadHeader(*decoder))
        return error;
    *width = Width(*decoder->mImage);
    *height = Height(*decoder->mImage);
    return kNoError;
}

int J2K_Decode(void* handle, unsigned char** buffer, int* size, const char* options, int* pitch)
{
    Decoder* const decoder = FindDecoder(handle);
    if (decoder == nullptr)
        return Fail(kInvalidArgument, "unknown handle");
    if (buffer == nullptr || *buffer == nullptr || size == nullptr || pitch == nullptr)
        return Fail(kInvalidArgument, "null buffer, size or pitch");
    if (const int error = CheckOptions(options))
        return error;
    if (const int error = ReadHeader(*decoder))
        return error;
    if (decoder->mDecoded)
        return Fail(kInvalidArgument, "the picture was decoded already");
    decoder->mDecoded = true;

    opj_image_t& image = *decoder->mImage;
    const int64_t rowBytes = int64_t{Width(image)} * 4;
    if (*pitch < rowBytes)
        return Fail(kBufferTooSmall, "the pitch is shorter than a row");
    if (*size < (Height(image) - 1) * int64_t{*pitch} + rowBytes)
        return Fail(kBufferTooSmall);
    if (!opj_decode(decoder->mCodec.get(), decoder->mStream.get(), &image)
        || !opj_end_decompress(decoder->mCodec.get(), decoder->mStream.get()))
        return Fail(kDecodeFailed, decoder->mLibraryError);
    return WritePixels(image, *buffer, *pitch);
}

int J2K_getLastError(void)
{
    return tLastError;
}

const char* J2K_getErrorStr(int error)
{
    return error == tLastError && error != kNoError ? tLastErrorText.c_str() : Describe(error);
}

} // extern "C"
