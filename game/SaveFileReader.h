#pragma once
// Reads the fields of a save file from a Zest::Buffer while counting the bytes left, so
// that a file cut short or damaged is found out instead of being read as zeros: a read
// past the end, or a negative string length or count (the writer never stores one), marks
// the reader damaged. Once damaged, every read gives 0, false or the empty string and
// consumes nothing, so loops over counts read from the file end as soon as they test
// IsDamaged.

#include "framework/app/common/Buffer.h"

#include <cstdint>
#include <string>

class SaveFileReader {
public:
    // Reads the buffer from its first byte; the buffer must outlive the reader.
    explicit SaveFileReader(Zest::Buffer& buffer);

    int32_t ReadLong();
    // One byte; anything but 0 is true.
    bool ReadBoolean();
    std::string ReadString();
    // A Long that counts the entries following it; a negative count is damage.
    int32_t ReadCount();

    bool IsDamaged() const { return mDamaged; }
    // Every byte was read: a file with bytes left over holds something its writer did not.
    bool IsAtEnd() const { return mRemaining == 0; }

private:
    // Takes the bytes when that many are left; otherwise marks the reader damaged.
    bool Take(int32_t byteCount);

    Zest::Buffer& mBuffer;
    int32_t mRemaining;
    bool mDamaged = false;
};
