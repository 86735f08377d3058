// GIF: the first image of the file, LZW-decoded here, with interlace and a transparent
// index from the graphic control extension. Every table index the decoder forms is bounded
// by the table it reads, so a hostile file can end decoding early but not reach outside;
// pixels that decoding never reaches stay 0 (transparent black).

#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace ImageLib {

// Reads one data sub-block into `buffer` (256 bytes): its length, 0 at the end of the
// chain, or -1 at the end of the file.
int GifGetDataBlock(Zest::PakFileHandle* file, uint8_t* buffer)
{
    uint8_t count = 0;
    if (Zest::PakFRead(&count, 1, 1, file) != 1)
        return -1;
    if (count > 0 && Zest::PakFRead(buffer, count, 1, file) != 1)
        return -1;
    return count;
}

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kColorTableSize = 256;
constexpr int kMinCodeSizeLow = 2;
constexpr int kMinCodeSizeHigh = 8;
constexpr int kNoCode = -1;

using ColorTable = std::array<uint32_t, kColorTableSize>;

uint16_t ReadLittleEndian16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Reads `entries` RGB triples into a zero-filled table, so that indices past a short
// table give transparent black.
bool ReadColorTable(Zest::PakFileHandle* file, const int entries, ColorTable& table)
{
    uint8_t rgb[kColorTableSize * 3];
    if (Zest::PakFRead(rgb, 3, entries, file) != static_cast<size_t>(entries))
        return false;
    for (int i = 0; i < entries; ++i)
        table[i] = 0xFF000000u | (uint32_t{rgb[i * 3]} << 16) | (uint32_t{rgb[i * 3 + 1]} << 8) | rgb[i * 3 + 2];
    return true;
}

int ColorTableEntries(const uint8_t flags)
{
    return 1 << ((flags & 7) + 1);
}

// Turns the sub-block stream of one image into colour indices, one per call of NextIndex.
class LzwDecoder {
public:
    LzwDecoder(Zest::PakFileHandle* file, const int minCodeSize)
        : mFile(file), mMinCodeSize(minCodeSize), mClearCode(1 << minCodeSize), mEndCode(mClearCode + 1)
    {
        for (int code = 0; code < mClearCode; ++code)
            mSuffix[code] = static_cast<uint8_t>(code);
        Reset();
    }

    // The next colour index, or kNoCode once the data ends or turns invalid.
    int NextIndex()
    {
        while (mStackSize == 0) {
            if (mFinished || !DecodeCode())
                return kNoCode;
        }
        return mStack[--mStackSize];
    }

private:
    void Reset()
    {
        mCodeSize = mMinCodeSize + 1;
        mCodeMask = (1 << mCodeSize) - 1;
        mAvailable = mClearCode + 2;
        mPrevious = kNoCode;
    }

    // A sub-block count of 0 or the end of the file ends the data.
    bool NextByte(uint8_t* byte)
    {
        if (mBlockPos == mBlockSize) {
            const int count = GifGetDataBlock(mFile, mBlock.data());
            if (count <= 0)
                return false;
            mBlockSize = count;
            mBlockPos = 0;
        }
        *byte = mBlock[mBlockPos++];
        return true;
    }

    bool ReadCode(int* code)
    {
        while (mBitCount < mCodeSize) {
            uint8_t byte = 0;
            if (!NextByte(&byte))
                return false;
            mBitBuffer |= uint32_t{byte} << mBitCount;
            mBitCount += 8;
        }
        *code = static_cast<int>(mBitBuffer & static_cast<uint32_t>(mCodeMask));
        mBitBuffer >>= mCodeSize;
        mBitCount -= mCodeSize;
        return true;
    }

    void Push(const uint8_t index) { mStack[mStackSize++] = index; }

    // Reads one code and pushes the indices it stands for; false ends decoding.
    bool DecodeCode()
    {
        int code = 0;
        if (!ReadCode(&code) || code > mAvailable || code == mEndCode) {
            mFinished = true;
            return false;
        }
        if (code == mClearCode) {
            Reset();
            return true;
        }
        if (mPrevious == kNoCode) {
            // After a clear only a root code can follow: no entry exists yet to refer to.
            if (code >= mClearCode) {
                mFinished = true;
                return false;
            }
            Push(mSuffix[code]);
            mPrevious = code;
            mFirst = code;
            return true;
        }

        const int incoming = code;
        if (code == mAvailable) {
            Push(static_cast<uint8_t>(mFirst));
            code = mPrevious;
        }
        // Entries above the clear code always point to a lower code, so this ends within
        // the table and pushes fewer than kMaxCodes indices.
        while (code >= mClearCode) {
            Push(mSuffix[code]);
            code = mPrefix[code];
        }
        mFirst = mSuffix[code];
        if (mAvailable >= kMaxCodes) {
            mFinished = true;
            mStackSize = 0;
            return false;
        }
        Push(static_cast<uint8_t>(mFirst));
        mPrefix[mAvailable] = static_cast<uint16_t>(mPrevious);
        mSuffix[mAvailable] = static_cast<uint8_t>(mFirst);
        ++mAvailable;
        if ((mAvailable & mCodeMask) == 0 && mAvailable < kMaxCodes) {
            ++mCodeSize;
            mCodeMask += mAvailable;
        }
        mPrevious = incoming;
        return true;
    }

    Zest::PakFileHandle* mFile;
    const int mMinCodeSize;
    const int mClearCode;
    const int mEndCode;
    int mCodeSize = 0;
    int mCodeMask = 0;
    int mAvailable = 0;
    int mPrevious = kNoCode;
    int mFirst = 0;
    bool mFinished = false;

    uint32_t mBitBuffer = 0;
    int mBitCount = 0;
    std::array<uint8_t, 256> mBlock{};
    int mBlockSize = 0;
    int mBlockPos = 0;

    std::array<uint16_t, kMaxCodes> mPrefix{};
    std::array<uint8_t, kMaxCodes> mSuffix{};
    std::array<uint8_t, kMaxCodes + 1> mStack{};
    int mStackSize = 0;
};

// Reads the sub-blocks of an extension. For a graphic control extension whose last
// non-empty sub-block sets the transparency flag, `transparentIndex` takes its index.
bool ReadExtension(Zest::PakFileHandle* file, int* transparentIndex)
{
    constexpr uint8_t kGraphicControlLabel = 0xF9;
    uint8_t label = 0;
    if (Zest::PakFRead(&label, 1, 1, file) != 1)
        return false;
    bool transparent = false;
    uint8_t index = 0;
    uint8_t block[256];
    for (;;) {
        const int count = GifGetDataBlock(file, block);
        if (count < 0)
            return false;
        if (count == 0)
            break;
        transparent = count >= 4 && (block[0] & 1) != 0;
        index = block[3];
    }
    if (label == kGraphicControlLabel && transparent)
        *transparentIndex = index;
    return true;
}

// Row order: top to bottom, or the four interlace passes (every 8th row from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1).
class RowSequence {
public:
    RowSequence(const int height, const bool interlaced) : mHeight(height), mInterlaced(interlaced) {}

    // The next row, or -1 after the last.
    int Next()
    {
        if (!mInterlaced)
            return mRow < mHeight ? mRow++ : -1;
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        while (mPass < 4) {
            if (mRow < 0)
                mRow = kStart[mPass];
            if (mRow < mHeight) {
                const int row = mRow;
                mRow += kStep[mPass];
                return row;
            }
            ++mPass;
            mRow = -1;
        }
        return -1;
    }

private:
    const int mHeight;
    const bool mInterlaced;
    int mPass = 0;
    int mRow = 0;
};

std::unique_ptr<Image> ReadImage(Zest::PakFileHandle* file, const ColorTable& globalTable, const int transparentIndex)
{
    uint8_t descriptor[9];
    if (Zest::PakFRead(descriptor, 9, 1, file) != 1)
        return nullptr;
    const uint8_t flags = descriptor[8];
    ColorTable localTable{};
    if ((flags & 0x80) != 0 && !ReadColorTable(file, ColorTableEntries(flags), localTable))
        return nullptr;
    const ColorTable& table = (flags & 0x80) != 0 ? localTable : globalTable;

    std::unique_ptr<Image> image = CreateImage(ReadLittleEndian16(descriptor + 4), ReadLittleEndian16(descriptor + 6));
    uint8_t minCodeSize = 0;
    if (image == nullptr || Zest::PakFRead(&minCodeSize, 1, 1, file) != 1 || minCodeSize < kMinCodeSizeLow ||
        minCodeSize > kMinCodeSizeHigh)
        return nullptr;

    auto decoder = std::make_unique<LzwDecoder>(file, minCodeSize);
    RowSequence rows(image->mHeight, (flags & 0x40) != 0);
    for (int y = rows.Next(); y >= 0; y = rows.Next()) {
        uint32_t* const row = image->mBits + static_cast<size_t>(y) * image->mWidth;
        for (int x = 0; x < image->mWidth; ++x) {
            const int index = decoder->NextIndex();
            if (index == kNoCode)
                return image;
            row[x] = index == transparentIndex ? 0 : table[index];
        }
    }
    return image;
}

} // namespace

Image* GetGIFImage(const std::string& fileName)
{
    const PakFilePtr file(Zest::PakFOpen(fileName.c_str(), "rb"));
    if (file == nullptr)
        return nullptr;

    uint8_t header[13];
    if (Zest::PakFRead(header, 13, 1, file.get()) != 1)
        return nullptr;
    const std::string_view signature(reinterpret_cast<const char*>(header), 5);
    if (signature != "GIF87" && signature != "GIF89")
        return nullptr;
    ColorTable globalTable{};
    const uint8_t flags = header[10];
    if ((flags & 0x80) != 0 && !ReadColorTable(file.get(), ColorTableEntries(flags), globalTable))
        return nullptr;

    int transparentIndex = kNoCode;
    for (;;) {
        uint8_t byte = 0;
        if (Zest::PakFRead(&byte, 1, 1, file.get()) != 1 || byte == ';')
            return nullptr;
        if (byte == '!' && !ReadExtension(file.get(), &transparentIndex))
            return nullptr;
        if (byte == ',')
            return ReadImage(file.get(), globalTable, transparentIndex).release();
    }
}

} // namespace ImageLib
