#include "addon/base/text_utils.h"

#include <cstring>

namespace ks::addon {

void FillMem(void* destination, int byte, std::size_t count) { std::memset(destination, byte, count); }

void MoveMem(const void* source, void* destination, std::size_t count)
{
    std::memmove(destination, source, count);
}

void CopyMem(const void* source, void* destination, std::size_t count)
{
    std::memmove(destination, source, count);
}

void MoveStr(const char* source, char* destination, std::size_t count)
{
    std::memmove(destination, source, count);
}

char* StrUpper(char* text)
{
    for (char* c = text; *c; ++c)
        if (*c >= 'a' && *c <= 'z')
            *c = char(*c - 'a' + 'A');
    return text;
}

char* StrLower(char* text)
{
    for (char* c = text; *c; ++c)
        if (*c >= 'A' && *c <= 'Z')
            *c = char(*c - 'A' + 'a');
    return text;
}

char* TrimRight(char* text)
{
    std::size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ')
        text[--length] = 0;
    return text;
}

char* TrimLeft(char* text)
{
    std::size_t blanks = std::strspn(text, " ");
    if (blanks > 0)
        std::memmove(text, text + blanks, std::strlen(text + blanks) + 1);
    return text;
}

char* TrimString(char* text) { return TrimLeft(TrimRight(text)); }

void AppendChar(char* text, char character)
{
    std::size_t length = std::strlen(text);
    text[length] = character;
    text[length + 1] = 0;
}

const char* FindChar(const char* text, char character)
{
    return static_cast<const char*>(std::memchr(text, character, std::strlen(text)));
}

std::size_t FindByte(const void* buffer, int byte, std::size_t count)
{
    const void* found = std::memchr(buffer, byte, count);
    return found ? std::size_t(static_cast<const unsigned char*>(found) -
                               static_cast<const unsigned char*>(buffer))
                 : count;
}

std::size_t FindString(const char* text, const char* pattern)
{
    const char* found = std::strstr(text, pattern);
    return found ? std::size_t(found - text) : std::strlen(text);
}

int GetQuotedText(int, const char* text, char* out)
{
    const char* open = std::strchr(text, '"');
    if (!open)
        return 0;
    const char* close = std::strchr(open + 1, '"');
    std::size_t length = close ? std::size_t(close - open - 1) : std::strlen(open + 1);
    std::memcpy(out, open + 1, length);
    out[length] = 0;
    return 1;
}

int GetFirstWord(int ignored, const char* text, char* out)
{
    text += std::strspn(text, " ");
    if (*text == '"')
        return GetQuotedText(ignored, text, out);
    std::size_t length = std::strcspn(text, " ");
    std::memcpy(out, text, length);
    out[length] = 0;
    return length > 0;
}

}
