#include "framework/app/common/Buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Contents(const Zest::Buffer& buffer)
{
    const uint8_t* data = buffer.GetDataPtr();
    const int32_t length = buffer.GetDataLen();
    if (data == nullptr)
        return {};
    return Bytes(data, data + length);
}

Zest::Buffer BufferHolding(const Bytes& bytes)
{
    Zest::Buffer buffer;
    EXPECT_TRUE(buffer.SetData(bytes.data(), static_cast<int32_t>(bytes.size())));
    return buffer;
}

// --- Byte layout: these bytes are what save files and demo files hold ---------------

TEST(BufferLayout, EveryFieldKindWritesTheExactFileBytes)
{
    struct Case {
        const char* name;
        std::function<void(Zest::Buffer&)> write;
        Bytes expected;
    };
    const Bytes someBytes = {0x01, 0x02, 0x03};
    const Bytes highBytes = {0xAB, 0xCD};
    const Case cases[] = {
        {"byte", [](Zest::Buffer& b) { b.WriteByte(0xA5); }, {0xA5}},
        {"long", [](Zest::Buffer& b) { b.WriteLong(0x12345678); }, {0x78, 0x56, 0x34, 0x12}},
        {"negative long", [](Zest::Buffer& b) { b.WriteLong(-2); }, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"short", [](Zest::Buffer& b) { b.WriteShort(0x1234); }, {0x34, 0x12}},
        {"negative short", [](Zest::Buffer& b) { b.WriteShort(-2); }, {0xFE, 0xFF}},
        {"boolean true", [](Zest::Buffer& b) { b.WriteBoolean(true); }, {0x01}},
        {"boolean false", [](Zest::Buffer& b) { b.WriteBoolean(false); }, {0x00}},
        {"string", [](Zest::Buffer& b) { b.WriteString("abc"); },
         {0x03, 0x00, 0x61, 0x62, 0x63}},
        {"empty string", [](Zest::Buffer& b) { b.WriteString(""); }, {0x00, 0x00}},
        {"string with a zero and a high byte",
         [](Zest::Buffer& b) { b.WriteString(std::string("\xFF\0", 2)); },
         {0x02, 0x00, 0xFF, 0x00}},
        {"bytes", [&](Zest::Buffer& b) { b.WriteBytes(someBytes.data(), 3); },
         {0x01, 0x02, 0x03}},
        {"bits are packed least significant first",
         [](Zest::Buffer& b) {
             b.WriteBits(1, 1);
             b.WriteBits(0, 1);
             b.WriteBits(1, 1);
         },
         {0x05}},
        {"3 bits then a byte",
         [](Zest::Buffer& b) {
             b.WriteBits(5, 3);
             b.WriteByte(0xFF);
         },
         {0xFD, 0x07}},
        {"bits above the count are ignored",
         [](Zest::Buffer& b) {
             b.WriteBits(0xFF, 3);
             b.WriteBits(-1, 2);
             b.WriteBits(0, 3);
         },
         {0x1F}},
        {"32 bits", [](Zest::Buffer& b) { b.WriteBits(static_cast<int32_t>(0x87654321u), 32); },
         {0x21, 0x43, 0x65, 0x87}},
        {"0 bits write nothing", [](Zest::Buffer& b) { b.WriteBits(-1, 0); }, {}},
        {"0 bits between two bits",
         [](Zest::Buffer& b) {
             b.WriteBits(1, 1);
             b.WriteBits(-1, 0);
             b.WriteBits(1, 1);
         },
         {0x03}},
        {"long after 1 bit",
         [](Zest::Buffer& b) {
             b.WriteBits(1, 1);
             b.WriteLong(static_cast<int32_t>(0x87654321u));
         },
         {0x43, 0x86, 0xCA, 0x0E, 0x01}},
        {"short after 1 bit",
         [](Zest::Buffer& b) {
             b.WriteBits(1, 1);
             b.WriteShort(-2);
         },
         {0xFD, 0xFF, 0x01}},
        {"boolean after 1 bit",
         [](Zest::Buffer& b) {
             b.WriteBits(1, 1);
             b.WriteBoolean(true);
         },
         {0x03, 0x00}},
        {"bytes after 4 bits",
         [&](Zest::Buffer& b) {
             b.WriteBits(1, 4);
             b.WriteBytes(highBytes.data(), 2);
         },
         {0xB1, 0xDA, 0x0C}},
    };
    for (const Case& c : cases) {
        Zest::Buffer buffer;
        c.write(buffer);
        EXPECT_EQ(Contents(buffer), c.expected) << c.name;
        EXPECT_EQ(buffer.GetDataLen(), static_cast<int32_t>(c.expected.size())) << c.name;
        EXPECT_FALSE(buffer.HasFailed()) << c.name;
    }
}

TEST(BufferLayout, BitsThenByteHoldElevenBitsAndReadBack)
{
    Zest::Buffer buffer;
    buffer.WriteBits(5, 3);
    buffer.WriteByte(0xFF);
    ASSERT_EQ(buffer.GetDataLen(), 2);

    EXPECT_EQ(buffer.ReadBits(3, false), 5);
    EXPECT_EQ(buffer.ReadBits(7, false), 0x7F);
    EXPECT_FALSE(buffer.AtEnd()) << "the stream holds 11 bits, 10 read";
    EXPECT_EQ(buffer.ReadBits(1, false), 1);
    EXPECT_TRUE(buffer.AtEnd());

    buffer.RewindRead();
    EXPECT_EQ(buffer.ReadBits(3, false), 5);
    EXPECT_EQ(buffer.ReadByte(), 0xFF);
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(BufferBits, SignedReadsExtendTheTopBitOfTheField)
{
    struct Case {
        uint32_t written;
        int32_t bitCount;
        bool isSigned;
        int32_t expected;
    };
    const Case cases[] = {
        {6, 3, true, -2},
        {6, 3, false, 6},
        {3, 3, true, 3},
        {1, 1, true, -1},
        {0x7FFF, 16, true, 32767},
        {0x8000, 16, true, -32768},
        {0x8000, 16, false, 32768},
        {0x7FFFFFFF, 31, true, -1},
        {0x80000000u, 32, true, INT32_MIN},
        {0xFFFFFFFFu, 32, true, -1},
        {0, 0, true, 0},
    };
    for (const Case& c : cases) {
        Zest::Buffer buffer;
        buffer.WriteBits(static_cast<int32_t>(c.written), c.bitCount);
        EXPECT_EQ(buffer.ReadBits(c.bitCount, c.isSigned), c.expected)
            << "0x" << std::hex << c.written << std::dec << " in " << c.bitCount << " bits, "
            << (c.isSigned ? "signed" : "unsigned");
        EXPECT_TRUE(buffer.AtEnd());
    }
}

// --- Round trip --------------------------------------------------------------------

enum class Kind { Byte, Bits, Boolean, Short, Long, String, ByteArray };

struct Field {
    Kind kind;
    int32_t value = 0;
    int32_t bitCount = 0;
    bool isSigned = false;
    std::string text;
    Bytes bytes;
};

int32_t ExpectedBits(const Field& field)
{
    if (field.bitCount == 0)
        return 0;
    if (field.bitCount == 32)
        return field.value;
    const uint32_t mask = (1u << field.bitCount) - 1;
    uint32_t bits = static_cast<uint32_t>(field.value) & mask;
    if (field.isSigned && ((bits >> (field.bitCount - 1)) & 1u))
        bits |= ~mask;
    return static_cast<int32_t>(bits);
}

std::vector<Field> RandomFields(const uint32_t seed, const int count)
{
    std::mt19937 random(seed);
    auto between = [&](const int32_t low, const int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    std::vector<Field> fields;
    for (int i = 0; i < count; ++i) {
        Field field{};
        field.kind = static_cast<Kind>(between(0, 6));
        field.value = static_cast<int32_t>(random());
        switch (field.kind) {
        case Kind::Byte:
            field.value &= 0xFF;
            break;
        case Kind::Bits:
            field.bitCount = between(0, 32);
            field.isSigned = between(0, 1) == 1;
            break;
        case Kind::Boolean:
            field.value &= 1;
            break;
        case Kind::Short:
            field.value = static_cast<int16_t>(field.value);
            break;
        case Kind::Long:
            break;
        case Kind::String:
            field.text.resize(static_cast<size_t>(between(0, 300)));
            for (char& ch : field.text)
                ch = static_cast<char>(between(0, 255));
            break;
        case Kind::ByteArray:
            field.bytes.resize(static_cast<size_t>(between(0, 16)));
            for (uint8_t& byte : field.bytes)
                byte = static_cast<uint8_t>(between(0, 255));
            break;
        }
        fields.push_back(field);
    }
    return fields;
}

TEST(BufferRoundTrip, RandomFieldSequencesReadBackInOrder)
{
    for (const uint32_t seed : {1u, 7u, 42u, 2024u, 987654u}) {
        const std::vector<Field> fields = RandomFields(seed, 300);
        Zest::Buffer buffer;
        for (const Field& field : fields) {
            switch (field.kind) {
            case Kind::Byte:
                buffer.WriteByte(static_cast<uint8_t>(field.value));
                break;
            case Kind::Bits:
                buffer.WriteBits(field.value, field.bitCount);
                break;
            case Kind::Boolean:
                buffer.WriteBoolean(field.value != 0);
                break;
            case Kind::Short:
                buffer.WriteShort(static_cast<int16_t>(field.value));
                break;
            case Kind::Long:
                buffer.WriteLong(field.value);
                break;
            case Kind::String:
                EXPECT_TRUE(buffer.WriteString(field.text));
                break;
            case Kind::ByteArray:
                buffer.WriteBytes(field.bytes.data(), static_cast<int32_t>(field.bytes.size()));
                break;
            }
        }
        ASSERT_FALSE(buffer.HasFailed()) << "seed " << seed;

        for (size_t i = 0; i < fields.size(); ++i) {
            const Field& field = fields[i];
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", field " << i << ", kind "
                                            << static_cast<int>(field.kind));
            switch (field.kind) {
            case Kind::Byte:
                ASSERT_EQ(buffer.ReadByte(), field.value);
                break;
            case Kind::Bits:
                ASSERT_EQ(buffer.ReadBits(field.bitCount, field.isSigned), ExpectedBits(field))
                    << field.bitCount << " bits";
                break;
            case Kind::Boolean:
                ASSERT_EQ(buffer.ReadBoolean(), field.value != 0);
                break;
            case Kind::Short:
                ASSERT_EQ(buffer.ReadShort(), field.value);
                break;
            case Kind::Long:
                ASSERT_EQ(buffer.ReadLong(), field.value);
                break;
            case Kind::String:
                ASSERT_EQ(buffer.ReadString(), field.text);
                break;
            case Kind::ByteArray: {
                Bytes read(field.bytes.size(), 0xEE);
                buffer.ReadBytes(read.data(), static_cast<int32_t>(read.size()));
                ASSERT_EQ(read, field.bytes);
                break;
            }
            }
        }
        EXPECT_TRUE(buffer.AtEnd()) << "seed " << seed;
    }
}

TEST(BufferRoundTrip, AnyNonZeroByteReadsBackAsTrue)
{
    Zest::Buffer buffer = BufferHolding({0x00, 0x01, 0x02, 0x80, 0xFF});
    EXPECT_FALSE(buffer.ReadBoolean());
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(buffer.ReadBoolean()) << "byte " << i + 1;
}

// --- Reading past the end ------------------------------------------------------------

TEST(BufferPastEnd, EveryReadOnAnEmptyBufferGivesZero)
{
    Zest::Buffer buffer;
    EXPECT_EQ(buffer.ReadByte(), 0);
    EXPECT_EQ(buffer.ReadBits(32, true), 0);
    EXPECT_EQ(buffer.ReadBits(7, true), 0);
    EXPECT_FALSE(buffer.ReadBoolean());
    EXPECT_EQ(buffer.ReadShort(), 0);
    EXPECT_EQ(buffer.ReadLong(), 0);
    EXPECT_EQ(buffer.ReadString(), "");
    Bytes read(5, 0xEE);
    buffer.ReadBytes(read.data(), 5);
    EXPECT_EQ(read, Bytes(5, 0));
    EXPECT_TRUE(buffer.AtEnd());
    EXPECT_FALSE(buffer.HasFailed());
}

TEST(BufferPastEnd, ShortDataFillsTheLowBytesAndZerosAbove)
{
    Zest::Buffer twoBytes = BufferHolding({0x34, 0x12});
    EXPECT_EQ(twoBytes.ReadLong(), 0x1234);
    EXPECT_TRUE(twoBytes.AtEnd());

    Zest::Buffer oneByte = BufferHolding({0xAB});
    EXPECT_EQ(oneByte.ReadShort(), 0xAB);

    Zest::Buffer threeBytes = BufferHolding({0x05, 0x00, 0x61});
    EXPECT_EQ(threeBytes.ReadString(), std::string("a\0\0\0\0", 5));
}

TEST(BufferPastEnd, UnalignedByteMissingItsSecondHalfGivesZeroAndKeepsTheCursor)
{
    Zest::Buffer buffer = BufferHolding({0xAD}); // 1010 1101
    EXPECT_EQ(buffer.ReadBits(3, false), 5);
    EXPECT_EQ(buffer.ReadByte(), 0);
    EXPECT_FALSE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadBits(5, false), 0xAD >> 3);
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(BufferPastEnd, SignedBitsReadPastTheEndTakeZerosAsTheMissingHighBits)
{
    // Only 8 of the 16 requested bits are there; the other 8, the sign bit among them,
    // read as zeros, so the field is the positive 0x00FF.
    Zest::Buffer unsignedRead = BufferHolding({0xFF});
    EXPECT_EQ(unsignedRead.ReadBits(16, false), 0xFF);

    Zest::Buffer signedRead = BufferHolding({0xFF});
    EXPECT_EQ(signedRead.ReadBits(16, true), 0xFF);
}

// --- Strings at and beyond the length limit -------------------------------------------

TEST(BufferString, StoredLengthWithTheTopBitSetReadsAsEmptyAndLeavesTheFollowingBytes)
{
    struct Case {
        uint8_t low;
        uint8_t high;
    };
    const Case cases[] = {{0x00, 0x80}, {0x34, 0x92}, {0xFF, 0xFF}};
    for (const Case& c : cases) {
        Zest::Buffer buffer = BufferHolding({c.low, c.high, 0x41, 0x42});
        const int length = c.low | (c.high << 8);
        EXPECT_EQ(buffer.ReadString(), "") << "length 0x" << std::hex << length;
        EXPECT_EQ(buffer.ReadByte(), 0x41) << "length 0x" << std::hex << length;
        EXPECT_EQ(buffer.ReadByte(), 0x42) << "length 0x" << std::hex << length;
    }
}

class BufferLongString : public testing::Test {
protected:
    static std::string Text(const size_t length)
    {
        std::string text(length, '\0');
        for (size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>('a' + i % 26);
        return text;
    }

    // Writes the string and two fields after it, then checks the fields read back.
    void WriteAndCheckTheFollowingFields(const std::string& text, const bool expectFits)
    {
        const size_t stored =
            std::min(text.size(), static_cast<size_t>(Zest::Buffer::kMaxStringLength));
        EXPECT_EQ(buffer.WriteString(text), expectFits);
        buffer.WriteLong(0x0BADF00D);
        EXPECT_TRUE(buffer.WriteString("after"));
        EXPECT_EQ(buffer.HasFailed(), !expectFits);
        EXPECT_EQ(buffer.GetDataLen(), static_cast<int32_t>(2 + stored + 4 + 2 + 5));

        EXPECT_EQ(buffer.ReadString(), text.substr(0, stored));
        EXPECT_EQ(buffer.ReadLong(), 0x0BADF00D);
        EXPECT_EQ(buffer.ReadString(), "after");
        EXPECT_TRUE(buffer.AtEnd());
    }

    Zest::Buffer buffer;
};

TEST_F(BufferLongString, StringOfTheMaximumLengthIsWrittenWhole)
{
    WriteAndCheckTheFollowingFields(Text(32767), true);
    const Bytes head(buffer.GetDataPtr(), buffer.GetDataPtr() + 2);
    EXPECT_EQ(head, (Bytes{0xFF, 0x7F}));
}

TEST_F(BufferLongString, OverlongStringIsCutAndLaterFieldsStayInPlace)
{
    WriteAndCheckTheFollowingFields(Text(32768), false);
    const Bytes head(buffer.GetDataPtr(), buffer.GetDataPtr() + 2);
    EXPECT_EQ(head, (Bytes{0xFF, 0x7F}));
}

TEST_F(BufferLongString, StringLongerThanSixteenBitsIsCutAndLaterFieldsStayInPlace)
{
    WriteAndCheckTheFollowingFields(Text(70000), false);
}

TEST_F(BufferLongString, ClearResetsTheFailedMark)
{
    EXPECT_FALSE(buffer.WriteString(Text(40000)));
    buffer.WriteByte(1);
    EXPECT_TRUE(buffer.HasFailed()) << "the mark stays after later good writes";
    buffer.Clear();
    EXPECT_FALSE(buffer.HasFailed());
    EXPECT_TRUE(buffer.WriteString("ok"));
    EXPECT_FALSE(buffer.HasFailed());
}

// --- Data, cursors and reset -----------------------------------------------------------

TEST(BufferData, NewAndClearedBuffersHoldNothing)
{
    Zest::Buffer buffer;
    EXPECT_EQ(buffer.GetDataPtr(), nullptr);
    EXPECT_EQ(buffer.GetDataLen(), 0);
    EXPECT_TRUE(buffer.AtEnd());

    buffer.WriteLong(7);
    buffer.ReadByte();
    buffer.Clear();
    EXPECT_EQ(buffer.GetDataPtr(), nullptr);
    EXPECT_EQ(buffer.GetDataLen(), 0);
    EXPECT_TRUE(buffer.AtEnd());

    // Both cursors are back at the start.
    buffer.WriteBits(1, 1);
    buffer.WriteByte(0xAB);
    EXPECT_EQ(Contents(buffer), (Bytes{0x57, 0x01}));
    EXPECT_EQ(buffer.ReadBits(1, false), 1);
    EXPECT_EQ(buffer.ReadByte(), 0xAB);
}

TEST(BufferData, SetDataIsReadUntilAllItsBitsAreConsumed)
{
    Zest::Buffer buffer = BufferHolding({0x78, 0x56, 0x34, 0x12});
    EXPECT_EQ(buffer.GetDataLen(), 4);
    EXPECT_EQ(Contents(buffer), (Bytes{0x78, 0x56, 0x34, 0x12}));
    EXPECT_FALSE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadBits(31, false), 0x12345678);
    EXPECT_FALSE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadBits(1, false), 0);
    EXPECT_TRUE(buffer.AtEnd());

    buffer.RewindRead();
    EXPECT_FALSE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadLong(), 0x12345678);
    EXPECT_TRUE(buffer.AtEnd());
}

TEST(BufferData, SetDataCopiesTheBytes)
{
    Bytes source = {1, 2, 3};
    Zest::Buffer buffer = BufferHolding(source);
    source[0] = 9;
    EXPECT_EQ(buffer.ReadByte(), 1);
}

TEST(BufferData, SetDataKeepsTheReadCursorUnlessClearedFirst)
{
    const Bytes file = {0x10, 0x20, 0x30};

    Zest::Buffer kept;
    kept.WriteShort(0);
    kept.ReadByte();
    ASSERT_TRUE(kept.SetData(file.data(), 3));
    EXPECT_EQ(kept.ReadByte(), 0x20);

    Zest::Buffer cleared;
    cleared.WriteShort(0);
    cleared.ReadByte();
    cleared.Clear();
    ASSERT_TRUE(cleared.SetData(file.data(), 3));
    EXPECT_EQ(cleared.ReadByte(), 0x10);
}

TEST(BufferData, WriteAfterSetDataLandsAtTheKeptWriteCursor)
{
    // The write cursor stays at byte 4 while SetData leaves a single byte; a write there
    // fills the gap with zeros, whether the cursor is on a byte boundary or not.
    struct Case {
        const char* name;
        int32_t leadingBits;
        Bytes expected;
    };
    const Case cases[] = {
        {"unaligned cursor", 1, {0x11, 0x00, 0x00, 0x00, 0x54, 0x01}},
        {"aligned cursor", 0, {0x11, 0x00, 0x00, 0x00, 0xAA}},
    };
    const Bytes file = {0x11};
    for (const Case& c : cases) {
        Zest::Buffer buffer;
        buffer.WriteLong(0);
        buffer.WriteBits(0, c.leadingBits);
        ASSERT_TRUE(buffer.SetData(file.data(), 1));
        buffer.WriteByte(0xAA);

        ASSERT_EQ(buffer.GetDataLen(), static_cast<int32_t>(c.expected.size())) << c.name;
        const Bytes stored(buffer.GetDataPtr(), buffer.GetDataPtr() + buffer.GetDataLen());
        EXPECT_EQ(stored, c.expected) << c.name;
        Bytes read(c.expected.size());
        buffer.ReadBytes(read.data(), static_cast<int32_t>(read.size()));
        EXPECT_EQ(read, c.expected) << c.name;
    }
}

TEST(BufferData, SetDataWithANegativeCountIsRefused)
{
    const Bytes file = {1, 2, 3};
    Zest::Buffer buffer;
    buffer.WriteLong(5);
    EXPECT_FALSE(buffer.SetData(file.data(), -1));
    EXPECT_TRUE(buffer.HasFailed());
    EXPECT_EQ(buffer.GetDataLen(), 0);
    EXPECT_EQ(buffer.GetDataPtr(), nullptr);
    EXPECT_EQ(buffer.ReadLong(), 0);
}

} // namespace
