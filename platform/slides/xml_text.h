#pragma once
// Text as the package's XML can hold it, and XML documents as package bytes.
#include <string>
#include <string_view>

namespace pugi { class xml_document; }

namespace ks::slides {

// Valid UTF-8 without the control characters XML 1.0 forbids (tab stays): a byte
// that is not part of a UTF-8 sequence becomes U+FFFD, a forbidden character is dropped.
std::string xmlSafeText(std::string_view text);

// The document with a standalone UTF-8 declaration, unindented.
std::string xmlString(const pugi::xml_document& doc);

}

namespace ks::slides {

// Text escaped for an XML attribute value or element content.
std::string xmlEscape(std::string_view text);

}
