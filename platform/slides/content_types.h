#pragma once
// The package's table of content types: defaults by extension, overrides by part name.
#include <map>
#include <string>

namespace ks::slides {

class ContentTypes {
public:
    // Raises kErrBadFileFormat for XML that does not parse.
    static ContentTypes parse(const std::string& xml);
    // "" when the package gives the part no type.
    std::string typeOf(const std::string& partName) const;

private:
    std::map<std::string, std::string> defaults_;   // lower-case extension
    std::map<std::string, std::string> overrides_;  // lower-case part name, no leading "/"
};

}
