// JPEG 2000: decoded by the optional codec library "j2k-codec.dll", loaded at start and
// bound on first use, which reads the file through stream callbacks over the pak calls.

#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"
#include "platform/j2k/J2kCodec.h"
#include "platform/win32/Library.h"

#include <cstdio>
#include <mutex>

namespace ImageLib {

namespace {

// Older codecs lack the decoding options used below.
constexpr int kMinCodecVersion = 0x120000;
constexpr const char* kDecodeOptions = "bpp=4,rl=0";

struct J2KEntryPoints {
    decltype(&J2K_getVersion) getVersion = nullptr;
    decltype(&J2K_OpenCustom) openCustom = nullptr;
    decltype(&J2K_OpenFile) openFile = nullptr;
    decltype(&J2K_Close) close = nullptr;
    decltype(&J2K_GetInfo) getInfo = nullptr;
    decltype(&J2K_GetResolutionDimensions) getResolutionDimensions = nullptr;
    decltype(&J2K_Decode) decode = nullptr;
    decltype(&J2K_getLastError) getLastError = nullptr;
    decltype(&J2K_getErrorStr) getErrorStr = nullptr;
};

// The codec's module, its entry points and whether binding them is still to be tried;
// a failed binding releases the module, which turns the format off until the next load.
std::mutex gJ2KMutex;
Win32::HMODULE gJ2KCodecModule = nullptr;
J2KEntryPoints gJ2K;
bool gJ2KFirstUse = true;

template <typename Function>
bool Bind(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(Win32::GetProcAddress(gJ2KCodecModule, name));
    return function != nullptr;
}

// Requires gJ2KMutex.
void ReleaseCodec()
{
    if (gJ2KCodecModule != nullptr)
        Win32::FreeLibrary(gJ2KCodecModule);
    gJ2KCodecModule = nullptr;
    gJ2K = {};
    gJ2KFirstUse = true;
}

// The bound entry points, binding them on first use; false while the codec is unavailable.
bool BoundCodec(J2KEntryPoints& entryPoints)
{
    const std::lock_guard lock(gJ2KMutex);
    if (gJ2KCodecModule == nullptr)
        return false;
    if (gJ2KFirstUse) {
        gJ2KFirstUse = false;
        J2KEntryPoints bound;
        const bool complete = Bind(bound.getVersion, "_J2K_getVersion@0")
            && Bind(bound.openCustom, "_J2K_OpenCustom@8") && Bind(bound.openFile, "_J2K_OpenFile@4")
            && Bind(bound.close, "_J2K_Close@4") && Bind(bound.getInfo, "_J2K_GetInfo@16")
            && Bind(bound.getResolutionDimensions, "_J2K_GetResolutionDimensions@16")
            && Bind(bound.decode, "_J2K_Decode@20") && Bind(bound.getLastError, "_J2K_getLastError@0")
            && Bind(bound.getErrorStr, "_J2K_getErrorStr@4");
        if (!complete || bound.getVersion() < kMinCodecVersion) {
            ReleaseCodec();
            return false;
        }
        gJ2K = bound;
    }
    entryPoints = gJ2K;
    return true;
}

int J2KSeekCallback(const int position, void* user)
{
    return Zest::PakFSeek(static_cast<Zest::PakFileHandle*>(user), position, SEEK_SET);
}

int J2KReadCallback(void* buffer, const int size, void* user)
{
    if (size <= 0)
        return 0;
    return static_cast<int>(Zest::PakFRead(buffer, 1, size, static_cast<Zest::PakFileHandle*>(user)));
}

// The reader closes the file itself.
void J2KNoOpCallback(void*) {}

// Closes a codec handle when the reader leaves, on every path.
class CodecHandle {
public:
    CodecHandle(const J2KEntryPoints& codec, void* handle) : mClose(codec.close), mHandle(handle) {}
    ~CodecHandle()
    {
        if (mHandle != nullptr)
            mClose(mHandle);
    }
    CodecHandle(const CodecHandle&) = delete;
    CodecHandle& operator=(const CodecHandle&) = delete;

    void* Get() const { return mHandle; }

private:
    const decltype(&J2K_Close) mClose;
    void* const mHandle;
};

} // namespace

Image* GetJPEG2000Image(const std::string& fileName)
{
    {
        const std::lock_guard lock(gJ2KMutex);
        if (gJ2KCodecModule == nullptr)
            return nullptr;
    }
    const PakFilePtr file(Zest::PakFOpen(fileName.c_str(), "rb"));
    if (file == nullptr)
        return nullptr;
    J2KEntryPoints codec;
    if (!BoundCodec(codec))
        return nullptr;

    static constexpr J2K_Callbacks kCallbacks = {J2KSeekCallback, J2KReadCallback, J2KNoOpCallback};
    const CodecHandle handle(codec, codec.openCustom(file.get(), &kCallbacks));
    if (handle.Get() == nullptr)
        return nullptr;
    int width = 0;
    int height = 0;
    int components = 0;
    if (codec.getInfo(handle.Get(), &width, &height, &components) != 0)
        return nullptr;
    if (codec.getResolutionDimensions(handle.Get(), 0, &width, &height) != 0)
        return nullptr;

    // CreateImage caps the pixel count, so the byte counts below fit an int.
    std::unique_ptr<Image> image = CreateImage(width, height);
    if (image == nullptr)
        return nullptr;
    unsigned char* buffer = reinterpret_cast<unsigned char*>(image->mBits);
    int size = width * height * 4;
    int pitch = width * 4;
    if (codec.decode(handle.Get(), &buffer, &size, kDecodeOptions, &pitch) != 0)
        return nullptr;

    const int64_t pixelCount = int64_t{width} * height;
    for (int64_t index = 0; index < pixelCount; ++index)
        image->mBits[index] |= 0xFF000000;
    return image.release();
}

void LoadJPEG2000Codec()
{
    const std::lock_guard lock(gJ2KMutex);
    if (gJ2KCodecModule == nullptr)
        gJ2KCodecModule = Win32::LoadLibraryA("j2k-codec.dll");
}

void FreeJPEG2000Codec()
{
    const std::lock_guard lock(gJ2KMutex);
    ReleaseCodec();
}

} // namespace ImageLib
