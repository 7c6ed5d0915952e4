#pragma once
// Character entities of the text runs the word reader cuts: "&amp;" and the other
// case-blind names, the Latin-1 letter names (exact case), numeric references, and
// the first-letter fallback for other letter names.
#include <cstddef>

namespace ks::addon {

// Decodes run (length characters; line-end marks 21 become spaces, or vanish at the
// start of the word and after a space) into word, which takes at most length + 1
// bytes; returns the word's length. The text is Windows-1252. word may be run itself:
// the decoding never writes ahead of what it reads.
int DecodeHtmlRun(const char* run, int length, char* word);

// The character an entity name (the text between "&" and ";") stands for, or -1 when
// the name is no entity (the "&" then stays text), or -2 when the reference stands for
// a control character, which is left out.
int HtmlEntityCharacter(const char* name, std::size_t length);

}
