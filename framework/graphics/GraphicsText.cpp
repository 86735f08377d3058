// The text operations of the drawing context: plain strings, strings with colour codes, and
// word-wrapped blocks of them.

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace Zest {

namespace {

constexpr char kCodeMark = '^';
// A colour code is the caret, six characters and the closing caret.
constexpr int kCodeLength = 8;
constexpr const char* kOldColorWord = "oldclr";
constexpr int kLeft = -1;
constexpr int kCentred = 0;
constexpr int kRight = 1;

int HexDigit(const char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// The packed 0xRRGGBB colour of the six characters of a code that starts at text[start]
// (the caret); the caller has made sure the whole code lies in the text.
uint32_t CodeColor(const std::string& text, const size_t start, const int oldColor)
{
    const std::string_view word(text.data() + start + 1, kCodeLength - 2);
    if (word == kOldColorWord)
        return static_cast<uint32_t>(oldColor);
    // A word that is not "oldclr" but starts like it is taken as a misspelt one, not as hex.
    if (word.front() == 'o')
        return 0;
    uint32_t packed = 0;
    for (const char c : word)
        packed = (packed << 4) | static_cast<uint32_t>(HexDigit(c));
    return packed;
}

// Draws length characters from offset, cut to the text; -1 when nothing of them is left.
int WriteStringPart(Graphics& g, const std::string& text, const int x, const int y, const int width,
                    const int justification, const int offset, int length, const int oldColor)
{
    const int size = static_cast<int>(text.size());
    if (offset < 0 || offset >= size)
        return -1;
    length = std::min(length, size - offset);
    if (length <= 0)
        return -1;
    return g.WriteString(text, x, y, width, justification, true, offset, length, oldColor);
}

} // namespace

void Graphics::DrawString(const std::string& text, const int x, const int y)
{
    // The font translates through this context itself.
    if (mFont != nullptr)
        mFont->DrawString(this, x, y, text, mColor, mClipRect);
}

int Graphics::WriteString(const std::string& text, int x, const int y, const int width, const int justification,
                          const bool draw, const int offset, const int length, int oldColor)
{
    if (mFont == nullptr)
        return 0;
    if (oldColor == -1)
        oldColor = static_cast<int>(mColor.ToInt());
    if (draw && (justification == kCentred || justification == kRight)) {
        const int textWidth = WriteString(text, 0, 0, width, kLeft, false, offset, length, oldColor);
        x += justification == kCentred ? (width - textWidth) / 2 : width - textWidth;
    }

    const size_t size = text.size();
    const size_t begin = std::min(static_cast<size_t>(std::max(offset, 0)), size);
    const size_t end = length < 0 ? size : begin + std::min(static_cast<size_t>(length), size - begin);

    int totalWidth = 0;
    std::string run;
    // Ends the run collected so far: draws it at its place and counts its width.
    const auto flushRun = [&]() {
        if (run.empty())
            return;
        if (draw)
            DrawString(run, x + totalWidth, y);
        totalWidth += mFont->StringWidth(run);
        run.clear();
    };

    size_t i = begin;
    while (i < end) {
        const char c = text[i];
        if (c != kCodeMark || !mWriteColoredString) {
            run += c;
            ++i;
            continue;
        }
        if (i + 1 < end && text[i + 1] == kCodeMark) {
            run += kCodeMark;
            i += 2;
            continue;
        }
        // A code cut off by the end of the part ends the part there.
        if (end - i < static_cast<size_t>(kCodeLength))
            break;
        const uint32_t packed = CodeColor(text, i, oldColor);
        const Color codeColor(static_cast<int>((packed >> 16) & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                              static_cast<int>(packed & 0xFF), mColor.mAlpha);
        flushRun();
        if (draw)
            SetColor(codeColor);
        i += kCodeLength;
    }
    flushRun();
    return totalWidth;
}

int Graphics::WriteWordWrapped(const Rect& rect, const std::string& text, int lineSpacing,
                               const int justification)
{
    if (mFont == nullptr)
        return 0;
    const Color savedColor = mColor;
    uint32_t packedColor = savedColor.ToInt();
    // An opaque colour is passed without its alpha byte so that opaque white does not read
    // as -1, which stands for "the current colour".
    if ((packedColor >> 24) == 0xFF)
        packedColor &= 0x00FFFFFF;
    const int oldColor = static_cast<int>(packedColor);
    if (lineSpacing == -1)
        lineSpacing = mFont->GetLineSpacing();

    const int size = static_cast<int>(text.size());
    int baseline = mFont->GetAscent() - mFont->GetAscentPadding();
    int lineStart = 0;
    int lineWidth = 0;
    // The last blank or newline of the line, where it may be broken; -1 when there is none.
    int breakAt = -1;
    char previous = 0;
    int i = 0;
    while (i < size) {
        const int charStart = i;
        char c = text[i];
        if (c == kCodeMark && mWriteColoredString) {
            if (i + 1 < size && text[i + 1] == kCodeMark) {
                // Two carets print one: measure the second.
                ++i;
                c = text[i];
            } else {
                i += kCodeLength;
                continue;
            }
        }
        // A newline always ends the line, whatever its width.
        const bool newline = c == '\n';
        if (c == ' ' || newline)
            breakAt = i;
        lineWidth += mFont->CharWidthKern(c, previous);
        previous = c;
        if (!newline && lineWidth <= rect.mWidth) {
            ++i;
            continue;
        }

        if (breakAt == -1) {
            // A word wider than the line is cut before the character that overflows, keeping
            // at least that character (with its caret pair) so that the walk always moves on.
            const int lineEnd = charStart > lineStart ? charStart : i + 1;
            if (WriteStringPart(*this, text, rect.mX, rect.mY + baseline, rect.mWidth, justification, lineStart,
                                lineEnd - lineStart, oldColor) < 0)
                break;
            lineStart = lineEnd;
        } else {
            const int screenBaseline = static_cast<int>(static_cast<float>(rect.mY + baseline) + mTransY);
            if (screenBaseline >= mClipRect.mY && screenBaseline < mClipRect.mY + mClipRect.mHeight + lineSpacing)
                WriteStringPart(*this, text, rect.mX, rect.mY + baseline, rect.mWidth, justification, lineStart,
                                breakAt - lineStart, oldColor);
            lineStart = breakAt + 1;
            // The blanks after a wrap are dropped; those after a newline are the next line's.
            if (text[breakAt] != '\n') {
                while (lineStart < size && text[lineStart] == ' ')
                    ++lineStart;
            }
        }
        i = lineStart;
        baseline += lineSpacing;
        lineWidth = 0;
        breakAt = -1;
        previous = 0;
    }

    WriteStringPart(*this, text, rect.mX, rect.mY + baseline, rect.mWidth, justification, lineStart,
                    size - lineStart, oldColor);
    if (!text.empty() && text.back() == '\n')
        baseline += lineSpacing;

    SetColor(savedColor);
    return baseline + mFont->GetDescent();
}

int Graphics::GetWordWrappedHeight(const int width, const std::string& text, const int lineSpacing)
{
    // A context without destination draws nothing; it reads colour codes the way this one
    // does, so that the height matches what this context would draw.
    Graphics scratch;
    scratch.SetFont(mFont);
    scratch.mWriteColoredString = mWriteColoredString;
    return scratch.WriteWordWrapped(Rect(0, 0, width, 0), text, lineSpacing, kLeft);
}

} // namespace Zest
