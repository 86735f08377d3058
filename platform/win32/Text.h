#pragma once
// The program's 8-bit text is Latin-1; SDL speaks UTF-8. These convert at that edge.

#include <string>
#include <string_view>
#include <vector>

namespace Win32 {

std::string Latin1ToUtf8(std::string_view latin1);
// Appends one code point; values that are no character (above 0x10FFFF) are left out.
void AppendUtf8(std::string& utf8, char32_t codePoint);
// Characters above 255 become `replacement`; malformed bytes count as one such character.
std::string Utf8ToLatin1(std::string_view utf8, char replacement);
// The code points of a UTF-8 text; malformed bytes are skipped.
std::vector<char32_t> DecodeUtf8(std::string_view utf8);

} // namespace Win32
