#pragma once
// Character references of the text runs the word reader cuts: the named entities of
// HTML 4 and numeric references. A reference stands for its Windows-1252 character
// where there is one; a reference to a character Windows-1252 lacks, or to a name no
// one knows, is kept as it was written so that a save writes the same bytes back.
#include <cstddef>
#include <string>
#include <string_view>

namespace ks::addon {

// Takes the place of the "&" of a kept reference in a decoded word (the input never
// holds it: the word reader drops control characters). The reference's text follows,
// up to and with its ";". The text flow turns it back into "&" in a run whose font
// carries kStyleKeptReference; titles, fields' texts and attribute values keep it, and
// the writer writes it as the "&" of the reference.
inline constexpr char kKeptReferenceMark = 0x1A;

// Character style bit of the editor font of kept references: the writer writes their
// "&name;" as it stands, where it escapes the "&" of text a user typed.
inline constexpr unsigned kStyleKeptReference = 0x200;

// The length of the kept reference at the start of text (its mark or "&", a name's letters
// and digits or "#" or "#x" and a number's digits, its ";" if it has one).
std::size_t KeptReferenceLength(std::string_view text);

// Text that is no document text (a title, a field's value, an attribute's value) keeps
// its kept references with their marks, so that a save tells them from an "&" a user
// typed. Where the text is shown, its marks become "&" again.
void RestoreKeptReferences(char* text, int length);
std::string ShownText(std::string_view kept);

// The length of the longest start of kept, at most most characters, that cuts no kept
// reference in two: the half of one would be saved as text.
std::size_t KeptTextCut(std::string_view kept, std::size_t most);

// Text as a user has it back from where it was shown (a control, a dialog), with the kept
// references of the text it was shown from back in place where the two still agree: in
// the stretches before and after what the user changed. A reference the change cut into
// is text.
std::string KeepReferences(std::string_view shown, std::string_view kept);

// What HtmlEntityCharacter gives besides a character.
inline constexpr int kNoReference = -1;     // the "&" is text
inline constexpr int kLeftOut = -2;         // a reference to a control character
inline constexpr int kKeptReference = -3;   // kept as it was written

// Decodes run (length characters; line-end marks 21 become spaces, or vanish at the
// start of the word and after a space) into word, which takes at most length + 1
// bytes; returns the word's length. The text is Windows-1252. word may be run itself:
// the decoding never writes ahead of what it reads.
int DecodeHtmlRun(const char* run, int length, char* word);

// The Windows-1252 character the reference "&" + name + ";" stands for (name is what
// stands between "&" and ";"), or kNoReference, kLeftOut or kKeptReference.
int HtmlEntityCharacter(const char* name, std::size_t length);

// The Unicode character an HTML 4 entity name stands for; 0 for any other name.
char32_t HtmlEntityCodePoint(const char* name, std::size_t length);

// The HTML 4 name of a Unicode character ("rarr" for U+2192), or null.
const char* HtmlEntityName(char32_t character);

// The Windows-1252 byte of a Unicode character, or -1 when it has none.
int Windows1252Byte(char32_t character);

// The Unicode character of a Windows-1252 byte (the five bytes it leaves undefined
// stand for themselves, as browsers read them).
char32_t Windows1252Character(unsigned char byte);

}
