#pragma once
// Fixed-size copy and fill and the small routines on zero-terminated 8-bit
// texts that the library's readers, writer and dialogs share.
#include <cstddef>
#include <cstdint>

namespace ks::addon {

void FillMem(void* destination, int byte, std::size_t count);
// Source first; overlapping areas are copied correctly.
void MoveMem(const void* source, void* destination, std::size_t count);
void CopyMem(const void* source, void* destination, std::size_t count);
void MoveStr(const char* source, char* destination, std::size_t count);

char* StrUpper(char* text);
char* StrLower(char* text);
// Only the blank (32) counts.
char* TrimRight(char* text);
char* TrimLeft(char* text);
char* TrimString(char* text);
void AppendChar(char* text, char character);
const char* FindChar(const char* text, char character);
std::size_t FindByte(const void* buffer, int byte, std::size_t count);
// The text's length when the pattern does not occur.
std::size_t FindString(const char* text, const char* pattern);

// Returns 1 when found; out receives the text between the quotes (or to the end).
int GetQuotedText(int ignored, const char* text, char* out);
int GetFirstWord(int ignored, const char* text, char* out);

}
