#pragma once
// What a cell holds or a formula gives: nothing, a number, a text, a truth value or an error.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ks::workbook {

enum class ValueType : std::uint8_t { Empty, Number, Text, Boolean, Error };

enum class ErrorCode : std::uint8_t { Null, Div0, Value, Ref, Name, Num, NA, Cycle };

struct Value {
    ValueType type = ValueType::Empty;
    ErrorCode error = ErrorCode::Value;
    double number = 0;
    std::string text;

    static Value ofNumber(double n) { Value v; v.type = ValueType::Number; v.number = n; return v; }
    static Value ofText(std::string t) { Value v; v.type = ValueType::Text; v.text = std::move(t); return v; }
    static Value ofBool(bool b) { Value v; v.type = ValueType::Boolean; v.number = b ? 1 : 0; return v; }
    static Value ofError(ErrorCode e) { Value v; v.type = ValueType::Error; v.error = e; return v; }

    bool isEmpty() const { return type == ValueType::Empty; }
    bool isNumber() const { return type == ValueType::Number; }
    bool isText() const { return type == ValueType::Text; }
    bool isBool() const { return type == ValueType::Boolean; }
    bool isError() const { return type == ValueType::Error; }
    bool operator==(const Value&) const = default;
};

// "#DIV/0!" and the others; and back.
std::string errorText(ErrorCode code);
std::optional<ErrorCode> parseErrorText(std::string_view text);

// A number as plain text: up to 15 significant digits, no grouping ("1234.5", "1E-07").
std::string plainNumberText(double n);
// A text read as a number the way formulas and entries read it ("12", " -1.5e3 ", "50%").
std::optional<double> parseNumberText(std::string_view text);

// The reads of a cell: text gives 0 as number; a number gives its plain text.
double numberOf(const Value& v);
std::string textOf(const Value& v);

}
