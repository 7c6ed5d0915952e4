#pragma once
// The programs' run-time failure: a number that callers branch on, the source
// (where it arose, with the labels of the procedures it passed through) and a
// description. Free of Qt so the engine cores can raise it too.
#include <stdexcept>
#include <string>

namespace ks {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::string description, std::string source = {})
        : std::runtime_error(description), number_(number),
          description_(std::move(description)), source_(std::move(source)) {}

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const std::string& source() const noexcept { return source_; }

    // A lower-level procedure passing the failure on appends CR LF and its label.
    RuntimeError& passOn(const std::string& label)
    {
        source_ += "\r\n" + label;
        return *this;
    }

    // The text of a handler's box: description, two CRs, "(Error #n)".
    std::string handlerText() const
    {
        return description_ + "\r\r(Error #" + std::to_string(number_) + ")";
    }

private:
    int number_;
    std::string description_;
    std::string source_;
};

// Runs body; a RuntimeError escaping it is passed on with label appended.
template <class Body>
auto passingOn(const char* label, Body&& body) -> decltype(body())
{
    try {
        return body();
    } catch (RuntimeError& e) {
        e.passOn(label);
        throw;
    }
}

}
