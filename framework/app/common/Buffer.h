#pragma once
// The serialisation stream of demo files, settings values and save files: a byte array
// with separate bit-addressed write and read cursors. Bits are packed least significant
// first, so shorts and longs are little-endian; a boolean is one byte; a string is a
// 16-bit length and its bytes. There is no header and no tag: a reader calls the same
// reads in the same order as the writer called the writes. Reading past the end gives
// zeros and never fails.

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {

class Buffer {
public:
    // A string's length is read back as a signed 16-bit number.
    static constexpr int32_t kMaxStringLength = 32767;
    // The bit cursors are 32-bit, so the stream holds at most this many bytes.
    static constexpr int32_t kMaxBytes = INT32_MAX / 8;

    Buffer() = default;
    virtual ~Buffer() = default;

    void Clear();
    void RewindRead();
    // Replaces the data with a copy of the bytes; the cursors stay where they are.
    // More than kMaxBytes bytes are refused: false, the buffer empty and marked failed.
    bool SetData(const uint8_t* bytes, int32_t count);

    const uint8_t* GetDataPtr() const;
    int32_t GetDataLen() const;
    bool AtEnd() const;

    // True once a write was cut short; a file written from such a buffer would not read
    // back, so savers refuse it. Clear resets it.
    bool HasFailed() const { return mFailed; }

    void WriteByte(uint8_t value);
    void WriteBits(int32_t value, int32_t bitCount);
    void WriteBoolean(bool value);
    void WriteShort(int16_t value);
    void WriteLong(int32_t value);
    // A string longer than kMaxStringLength is written cut to that length, so that every
    // later field stays in place; the result is then false and the buffer marked failed.
    bool WriteString(const std::string& text);
    void WriteBytes(const uint8_t* bytes, int32_t count);

    uint8_t ReadByte();
    int32_t ReadBits(int32_t bitCount, bool isSigned);
    bool ReadBoolean();
    int16_t ReadShort();
    int32_t ReadLong();
    std::string ReadString();
    void ReadBytes(uint8_t* destination, int32_t count);

private:
    // False, with the failed mark set, when bitCount more bits would not fit.
    bool RoomFor(int32_t bitCount);
    void GrowTo(size_t byteCount);

    std::vector<uint8_t> mData;
    int32_t mDataBitSize = 0;
    int32_t mReadBitPos = 0;
    int32_t mWriteBitPos = 0;
    bool mFailed = false;
};

} // namespace Zest
