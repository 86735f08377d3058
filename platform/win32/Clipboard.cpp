#include "platform/win32/Clipboard.h"

#include "platform/win32/Kernel.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowSystem.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace Win32 {
namespace {

struct GlobalBlock {
    std::vector<uint8_t> bytes;
};

// Blocks of the clipboard by format: those given to it since it was emptied, and those it
// made to answer a read. All are freed when the clipboard is emptied or read anew.
class ClipboardBlocks : public std::map<UINT, HGLOBAL> {
public:
    ~ClipboardBlocks()
    {
        for (const auto& entry : *this)
            GlobalFree(entry.second);
    }
};
ClipboardBlocks gBlocks;
bool gOpen = false;
bool gChanged = false;

GlobalBlock* Block(HGLOBAL memory) { return static_cast<GlobalBlock*>(memory); }

void FreeBlocks()
{
    for (const auto& entry : gBlocks)
        GlobalFree(entry.second);
    gBlocks.clear();
}

HGLOBAL MakeBlock(const void* data, const size_t bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory != nullptr)
        std::memcpy(Block(memory)->bytes.data(), data, bytes);
    return memory;
}

// The text of a CF_TEXT block up to its terminator or its end.
std::string TextOf(HGLOBAL memory)
{
    const std::vector<uint8_t>& bytes = Block(memory)->bytes;
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), end);
}

std::string Utf8OfWide(HGLOBAL memory)
{
    const std::vector<uint8_t>& bytes = Block(memory)->bytes;
    std::string utf8;
    for (size_t offset = 0; offset + sizeof(wchar_t) <= bytes.size(); offset += sizeof(wchar_t)) {
        wchar_t c = 0;
        std::memcpy(&c, bytes.data() + offset, sizeof(wchar_t));
        if (c == 0)
            break;
        AppendUtf8(utf8, static_cast<char32_t>(c));
    }
    return utf8;
}

std::string SystemClipboardUtf8()
{
    if (!WindowSystem::EnsureVideo() || SDL_HasClipboardText() == SDL_FALSE)
        return "";
    char* text = SDL_GetClipboardText();
    std::string utf8 = text != nullptr ? text : "";
    SDL_free(text);
    return utf8;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, const size_t bytes)
{
    auto* block = new (std::nothrow) GlobalBlock;
    if (block == nullptr)
        return nullptr;
    try {
        block->bytes.resize(bytes);
    } catch (const std::bad_alloc&) {
        delete block;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return block;
}

void* GlobalLock(HGLOBAL memory)
{
    if (memory == nullptr)
        return nullptr;
    std::vector<uint8_t>& bytes = Block(memory)->bytes;
    // A zero-length block still locks to a valid address.
    return bytes.empty() ? static_cast<void*>(memory) : static_cast<void*>(bytes.data());
}

BOOL GlobalUnlock(HGLOBAL memory) { return 0; }

HGLOBAL GlobalFree(HGLOBAL memory)
{
    delete Block(memory);
    return nullptr;
}

size_t GlobalSize(HGLOBAL memory) { return memory != nullptr ? Block(memory)->bytes.size() : 0; }

BOOL OpenClipboard(HWND owner)
{
    if (gOpen) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    gOpen = true;
    gChanged = false;
    return 1;
}

BOOL CloseClipboard()
{
    if (!gOpen)
        return 0;
    gOpen = false;
    if (!gChanged || !WindowSystem::EnsureVideo())
        return 1;
    gChanged = false;
    const auto text = gBlocks.find(CF_TEXT);
    const auto wide = gBlocks.find(CF_UNICODETEXT);
    if (text != gBlocks.end())
        SDL_SetClipboardText(Latin1ToUtf8(TextOf(text->second)).c_str());
    else if (wide != gBlocks.end())
        SDL_SetClipboardText(Utf8OfWide(wide->second).c_str());
    return 1;
}

BOOL EmptyClipboard()
{
    if (!gOpen) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    FreeBlocks();
    gChanged = true;
    if (WindowSystem::EnsureVideo())
        SDL_SetClipboardText("");
    return 1;
}

HANDLE SetClipboardData(const UINT format, HANDLE memory)
{
    if (!gOpen || memory == nullptr) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const auto existing = gBlocks.find(format);
    if (existing != gBlocks.end() && existing->second != memory)
        GlobalFree(existing->second);
    gBlocks[format] = memory;
    gChanged = true;
    return memory;
}

HANDLE GetClipboardData(const UINT format)
{
    if (!gOpen || (format != CF_TEXT && format != CF_UNICODETEXT)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const std::string utf8 = SystemClipboardUtf8();
    if (utf8.empty())
        return nullptr;
    FreeBlocks();
    HGLOBAL memory = nullptr;
    if (format == CF_TEXT) {
        const std::string latin1 = Utf8ToLatin1(utf8, '?');
        memory = MakeBlock(latin1.c_str(), latin1.size() + 1);
    } else {
        std::vector<wchar_t> wide;
        for (const char32_t codePoint : DecodeUtf8(utf8))
            wide.push_back(static_cast<wchar_t>(codePoint));
        wide.push_back(0);
        memory = MakeBlock(wide.data(), wide.size() * sizeof(wchar_t));
    }
    if (memory != nullptr)
        gBlocks[format] = memory;
    return memory;
}

BOOL IsClipboardFormatAvailable(const UINT format)
{
    if (format != CF_TEXT && format != CF_UNICODETEXT)
        return 0;
    return !SystemClipboardUtf8().empty() ? 1 : 0;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, wchar_t* wide, const int wideLength)
{
    if (text == nullptr || (codePage != CP_ACP && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (length < 0)
        length = static_cast<int>(std::strlen(text)) + 1;
    std::vector<wchar_t> converted;
    if (codePage == CP_UTF8) {
        for (const char32_t codePoint : DecodeUtf8(std::string_view(text, static_cast<size_t>(length))))
            converted.push_back(static_cast<wchar_t>(codePoint));
    } else {
        for (int i = 0; i < length; ++i)
            converted.push_back(static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
    }
    const auto count = static_cast<int>(converted.size());
    if (wideLength == 0)
        return count;
    if (wide == nullptr || wideLength < count) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(converted.begin(), converted.end(), wide);
    return count;
}

} // namespace Win32
