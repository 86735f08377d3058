#include "framework/app/common/Buffer.h"

namespace Zest {

void Buffer::Clear()
{
    mData.clear();
    mDataBitSize = 0;
    mReadBitPos = 0;
    mWriteBitPos = 0;
    mFailed = false;
}

void Buffer::RewindRead() { mReadBitPos = 0; }

bool Buffer::SetData(const uint8_t* bytes, const int32_t count)
{
    if (count < 0 || count > kMaxBytes) {
        mData.clear();
        mDataBitSize = 0;
        mFailed = true;
        return false;
    }
    mData.assign(bytes, bytes + count);
    mDataBitSize = count * 8;
    return true;
}

const uint8_t* Buffer::GetDataPtr() const { return mData.empty() ? nullptr : mData.data(); }

int32_t Buffer::GetDataLen() const { return (mDataBitSize + 7) / 8; }

bool Buffer::AtEnd() const { return mReadBitPos >= mDataBitSize; }

bool Buffer::RoomFor(const int32_t bitCount)
{
    if (mWriteBitPos > kMaxBytes * 8 - bitCount) {
        mFailed = true;
        return false;
    }
    return true;
}

// Writes append, so the data normally ends right at the write cursor. After SetData the
// cursor may stand anywhere: the data then grows, zero-filled, to reach it, so that
// GetDataLen never counts bytes that are not there.
void Buffer::GrowTo(const size_t byteCount)
{
    if (mData.size() < byteCount)
        mData.resize(byteCount);
}

void Buffer::WriteByte(const uint8_t value)
{
    if (!RoomFor(8))
        return;
    const int32_t shift = mWriteBitPos % 8;
    const auto index = static_cast<size_t>(mWriteBitPos / 8);
    if (shift == 0) {
        GrowTo(index + 1);
        mData[index] = value;
    } else {
        GrowTo(index + 2);
        mData[index] |= static_cast<uint8_t>(value << shift);
        mData[index + 1] = static_cast<uint8_t>(value >> (8 - shift));
    }
    mWriteBitPos += 8;
    if (mWriteBitPos > mDataBitSize)
        mDataBitSize = mWriteBitPos;
}

void Buffer::WriteBits(const int32_t value, int32_t bitCount)
{
    bitCount = bitCount < 0 ? 0 : (bitCount > 32 ? 32 : bitCount);
    if (!RoomFor(bitCount))
        return;
    const auto bits = static_cast<uint32_t>(value);
    for (int32_t i = 0; i < bitCount; ++i) {
        const auto index = static_cast<size_t>(mWriteBitPos / 8);
        GrowTo(index + 1);
        uint8_t& byte = mData[index];
        if (mWriteBitPos % 8 == 0)
            byte = 0;
        if ((bits >> i) & 1u)
            byte |= static_cast<uint8_t>(1u << (mWriteBitPos % 8));
        ++mWriteBitPos;
    }
    if (mWriteBitPos > mDataBitSize)
        mDataBitSize = mWriteBitPos;
}

void Buffer::WriteBoolean(const bool value) { WriteByte(value ? 1 : 0); }

void Buffer::WriteShort(const int16_t value)
{
    const auto bits = static_cast<uint16_t>(value);
    WriteByte(static_cast<uint8_t>(bits));
    WriteByte(static_cast<uint8_t>(bits >> 8));
}

void Buffer::WriteLong(const int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        WriteByte(static_cast<uint8_t>(bits >> shift));
}

bool Buffer::WriteString(const std::string& text)
{
    const bool fits = text.size() <= static_cast<size_t>(kMaxStringLength);
    const auto length = static_cast<int32_t>(fits ? text.size() : kMaxStringLength);
    WriteShort(static_cast<int16_t>(length));
    WriteBytes(reinterpret_cast<const uint8_t*>(text.data()), length);
    if (!fits)
        mFailed = true;
    return fits;
}

void Buffer::WriteBytes(const uint8_t* bytes, const int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        WriteByte(bytes[i]);
}

uint8_t Buffer::ReadByte()
{
    const int32_t position = mReadBitPos;
    const int32_t shift = position % 8;
    // An unaligned byte spans two stored bytes, and both must be there.
    if ((position + 7) / 8 >= static_cast<int32_t>(mData.size()))
        return 0;
    uint8_t value = mData[position / 8];
    if (shift > 0)
        value = static_cast<uint8_t>((value >> shift) | (mData[position / 8 + 1] << (8 - shift)));
    mReadBitPos += 8;
    return value;
}

int32_t Buffer::ReadBits(const int32_t bitCount, const bool isSigned)
{
    uint32_t value = 0;
    uint32_t topBit = 0;
    for (int32_t i = 0; i < bitCount && i < 32; ++i) {
        if (mReadBitPos / 8 >= static_cast<int32_t>(mData.size()))
            break;
        const uint32_t bit = (mData[mReadBitPos / 8] >> (mReadBitPos % 8)) & 1u;
        value |= bit << i;
        if (i == bitCount - 1)
            topBit = bit;
        ++mReadBitPos;
    }
    // Bits past the end read as 0, the sign bit among them.
    if (isSigned && topBit != 0 && bitCount < 32)
        value |= ~0u << bitCount;
    return static_cast<int32_t>(value);
}

bool Buffer::ReadBoolean() { return ReadByte() != 0; }

int16_t Buffer::ReadShort()
{
    const uint8_t low = ReadByte();
    const uint8_t high = ReadByte();
    return static_cast<int16_t>(low | (high << 8));
}

int32_t Buffer::ReadLong()
{
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= static_cast<uint32_t>(ReadByte()) << shift;
    return static_cast<int32_t>(value);
}

std::string Buffer::ReadString()
{
    const int16_t length = ReadShort();
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length));
        ReadBytes(reinterpret_cast<uint8_t*>(text.data()), length);
    }
    return text;
}

void Buffer::ReadBytes(uint8_t* destination, const int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        destination[i] = ReadByte();
}

} // namespace Zest
