#include "game/SaveFileReader.h"

SaveFileReader::SaveFileReader(Zest::Buffer& buffer) : mBuffer(buffer), mRemaining(buffer.GetDataLen())
{
    mBuffer.RewindRead();
}

bool SaveFileReader::Take(const int32_t byteCount)
{
    if (mDamaged || byteCount > mRemaining) {
        mDamaged = true;
        return false;
    }
    mRemaining -= byteCount;
    return true;
}

int32_t SaveFileReader::ReadLong() { return Take(4) ? mBuffer.ReadLong() : 0; }

bool SaveFileReader::ReadBoolean() { return Take(1) ? mBuffer.ReadBoolean() : false; }

std::string SaveFileReader::ReadString()
{
    if (!Take(2))
        return std::string();
    const int16_t length = mBuffer.ReadShort();
    if (length < 0) {
        mDamaged = true;
        return std::string();
    }
    if (!Take(length))
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    mBuffer.ReadBytes(reinterpret_cast<uint8_t*>(text.data()), length);
    return text;
}

int32_t SaveFileReader::ReadCount()
{
    const int32_t count = ReadLong();
    if (count < 0) {
        mDamaged = true;
        return 0;
    }
    return count;
}
