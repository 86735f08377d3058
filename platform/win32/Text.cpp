#include "platform/win32/Text.h"

namespace Win32 {
namespace {

constexpr char32_t kMalformed = 0xFFFFFFFF;

// Decodes the code point at `position` and moves past it; kMalformed for a bad sequence
// (one byte is consumed then).
char32_t DecodeOne(const std::string_view text, size_t& position)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) {
        ++position;
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        ++position;
        return kMalformed;
    }
    if (position + length > text.size()) {
        ++position;
        return kMalformed;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[position + i]);
        if ((next & 0xC0) != 0x80) {
            ++position;
            return kMalformed;
        }
        value = (value << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    position += length;
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kMalformed;
    return value;
}

} // namespace

std::string Latin1ToUtf8(const std::string_view latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1)
        AppendUtf8(utf8, static_cast<unsigned char>(c));
    return utf8;
}

void AppendUtf8(std::string& utf8, const char32_t codePoint)
{
    if (codePoint < 0x80) {
        utf8.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        utf8.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        utf8.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        utf8.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        utf8.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint <= 0x10FFFF) {
        utf8.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        utf8.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

std::string Utf8ToLatin1(const std::string_view utf8, const char replacement)
{
    std::string latin1;
    latin1.reserve(utf8.size());
    for (size_t position = 0; position < utf8.size();) {
        const char32_t value = DecodeOne(utf8, position);
        latin1.push_back(value <= 0xFF ? static_cast<char>(value) : replacement);
    }
    return latin1;
}

std::vector<char32_t> DecodeUtf8(const std::string_view utf8)
{
    std::vector<char32_t> codePoints;
    for (size_t position = 0; position < utf8.size();) {
        const char32_t value = DecodeOne(utf8, position);
        if (value != kMalformed)
            codePoints.push_back(value);
    }
    return codePoints;
}

} // namespace Win32
