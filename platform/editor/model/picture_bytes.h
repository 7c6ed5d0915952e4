#pragma once
// A picture's bytes, shared by every object that shows the same picture and never
// changed in place: a page naming one file many times, or a copied document, holds
// its bytes once.
#include <cstddef>
#include <memory>
#include <string>

namespace ks::editor {

class PictureBytes {
public:
    PictureBytes() = default;
    PictureBytes(std::string bytes) : bytes_(std::make_shared<const std::string>(std::move(bytes))) {}

    const std::string& str() const { return bytes_ ? *bytes_ : none(); }
    operator const std::string&() const { return str(); }
    const char* data() const { return str().data(); }
    std::size_t size() const { return str().size(); }
    bool empty() const { return str().empty(); }
    std::string::const_iterator begin() const { return str().begin(); }
    std::string::const_iterator end() const { return str().end(); }
    // The shared block, so that decoded forms can be kept once per block.
    const std::shared_ptr<const std::string>& shared() const { return bytes_; }

private:
    static const std::string& none()
    {
        static const std::string empty;
        return empty;
    }
    std::shared_ptr<const std::string> bytes_;
};

}
