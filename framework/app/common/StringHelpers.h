#pragma once
// Text and number helpers. All text is 8-bit Latin-1; wide text holds one character per
// Latin-1 byte. None of them depends on the C locale.

#include <cstdarg>
#include <cstdint>
#include <string>

namespace Zest {

std::string StringToLower(const std::string& text);
std::string StringToUpper(const std::string& text);

// Each byte becomes the wide character of the same unsigned value.
std::wstring StringToWString(const std::string& text);
// Characters 0 to 255 become the byte of that value; any other character becomes '?'.
std::string WStringToString(const std::wstring& text);
std::string StringToAppString(const std::string& text);
std::string WStringToAppString(const std::wstring& text);
std::wstring AppStringToWString(const std::string& text);

// Without leading and trailing white space (space, \t, \n, \v, \f, \r).
std::string Trim(const std::string& text);

// Decimal, or hexadecimal after "0x"; an optional leading '-'. No '+', no white space.
// On failure *out is 0 and the result false. Values beyond 32 bits wrap.
bool StringToInt(const std::string& text, int32_t* out);
// Digits with an optional '.' and fraction, and an optional leading '-'. No exponent.
// On failure *out is 0.0 and the result false.
bool StringToDouble(const std::string& text, double* out);

// "1,234,567"; a negative value gives the empty string.
std::string FormatThousands(int32_t value);

std::string FormatStringV(const char* format, va_list args);
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces &lt; &gt; &amp; &quot; &apos; &nbsp; and &cr; (a line feed); an unknown
// entity becomes a single '&'. A '&' with no ';' after it stays as it is.
std::string DecodeXMLEntities(const std::string& text);
std::wstring DecodeXMLEntitiesW(const std::wstring& text);

// Position of the first case-insensitive occurrence of needle, or -1.
int32_t FindNoCase(const char* haystack, const char* needle);

} // namespace Zest
