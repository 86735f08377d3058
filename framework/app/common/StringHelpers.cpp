#include "framework/app/common/StringHelpers.h"

#include <cstdio>
#include <vector>

namespace Zest {
namespace {

char LowerAscii(const char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

char UpperAscii(const char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsSpace(const char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexDigitValue(const char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct XMLEntity {
    const char* name;
    char character;
};

constexpr XMLEntity kXMLEntities[] = {
    {"lt", '<'}, {"amp", '&'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}, {"cr", '\n'},
};

template <typename String>
bool EntityNameIs(const String& text, const size_t start, const size_t length, const char* name)
{
    size_t i = 0;
    for (; i < length; ++i) {
        if (name[i] == '\0' || text[start + i] != static_cast<typename String::value_type>(name[i]))
            return false;
    }
    return name[i] == '\0';
}

template <typename String>
String DecodeEntities(const String& text)
{
    String result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t end = text[i] == '&' ? text.find(';', i + 1) : String::npos;
        if (end == String::npos) {
            result.push_back(text[i]);
            continue;
        }
        char decoded = '&';
        for (const XMLEntity& entity : kXMLEntities) {
            if (EntityNameIs(text, i + 1, end - i - 1, entity.name)) {
                decoded = entity.character;
                break;
            }
        }
        result.push_back(static_cast<typename String::value_type>(decoded));
        i = end;
    }
    return result;
}

} // namespace

std::string StringToLower(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = LowerAscii(c);
    return result;
}

std::string StringToUpper(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = UpperAscii(c);
    return result;
}

std::wstring StringToWString(const std::string& text)
{
    std::wstring result;
    result.reserve(text.size());
    for (const char c : text)
        result.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return result;
}

std::string WStringToString(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (const wchar_t c : text) {
        const auto code = static_cast<uint32_t>(c);
        result.push_back(code <= 255 ? static_cast<char>(code) : '?');
    }
    return result;
}

std::string StringToAppString(const std::string& text) { return text; }

std::string WStringToAppString(const std::wstring& text) { return WStringToString(text); }

std::wstring AppStringToWString(const std::string& text) { return StringToWString(text); }

std::string Trim(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && IsSpace(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && IsSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool StringToInt(const std::string& text, int32_t* out)
{
    *out = 0;
    if (text.empty())
        return false;

    size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative)
        i = 1;

    // Unsigned, so that a value beyond 32 bits wraps instead of overflowing.
    uint32_t value = 0;
    uint32_t base = 10;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (base == 10 && c >= '0' && c <= '9') {
            value = value * 10 + static_cast<uint32_t>(c - '0');
        } else if ((c == 'x' || c == 'X') && i == 1 && value == 0) {
            base = 16;
        } else if (base == 16 && HexDigitValue(c) >= 0) {
            value = value * 16 + static_cast<uint32_t>(HexDigitValue(c));
        } else {
            return false;
        }
    }
    if (negative)
        value = 0u - value;
    *out = static_cast<int32_t>(value);
    return true;
}

bool StringToDouble(const std::string& text, double* out)
{
    *out = 0.0;
    if (text.empty())
        return false;

    size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative)
        i = 1;

    double value = 0.0;
    for (; i < text.size() && text[i] != '.'; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10.0 + (text[i] - '0');
    }
    double factor = 0.1;
    for (++i; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value += (text[i] - '0') * factor;
        factor /= 10.0;
    }
    *out = negative ? -value : value;
    return true;
}

std::string FormatThousands(const int32_t value)
{
    if (value < 0)
        return "";
    const std::string digits = std::to_string(value);
    std::string result;
    for (size_t i = 0; i < digits.size(); ++i) {
        const size_t fromRight = digits.size() - i;
        if (i > 0 && fromRight % 3 == 0)
            result.push_back(',');
        result.push_back(digits[i]);
    }
    return result;
}

std::string FormatStringV(const char* format, va_list args)
{
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length <= 0)
        return "";

    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string FormatString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string result = FormatStringV(format, args);
    va_end(args);
    return result;
}

std::string DecodeXMLEntities(const std::string& text) { return DecodeEntities(text); }

std::wstring DecodeXMLEntitiesW(const std::wstring& text) { return DecodeEntities(text); }

int32_t FindNoCase(const char* haystack, const char* needle)
{
    if (haystack == nullptr || needle == nullptr || haystack[0] == '\0')
        return -1;
    for (int32_t start = 0; haystack[start] != '\0'; ++start) {
        int32_t i = 0;
        while (needle[i] != '\0' && haystack[start + i] != '\0' &&
               LowerAscii(haystack[start + i]) == LowerAscii(needle[i]))
            ++i;
        if (needle[i] == '\0')
            return start;
    }
    return -1;
}

} // namespace Zest
