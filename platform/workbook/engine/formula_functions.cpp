#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/decimal_round.h"
#include "platform/workbook/engine/formula_evaluator.h"
#include "platform/workbook/engine/number_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string_view>

namespace ks::workbook {

namespace {
using Args = std::span<const Node>;

Value err(ErrorCode code)
{
    return Value::ofError(code);
}

// Folds the numbers of all arguments; blocks give their numbers only, direct
// arguments may be truth values or numeric texts. The first error wins.
template <class Fold>
Value foldNumbers(const Evaluator& ev, const Args& args, bool countMode, Fold&& fold)
{
    std::optional<Value> failure;
    for (const Node& arg : args) {
        if (auto area = ev.areaOf(arg)) {
            ev.cells.forEachValue(*area, [&](const Value& v) {
                if (v.isNumber())
                    fold(v.number);
                else if (v.isError() && !countMode && !failure)
                    failure = v;
            });
        } else if (arg.kind != NodeKind::Missing) {
            Value v = ev.number(arg);
            if (!v.isError())
                fold(v.number);
            else if (!countMode && !failure)
                failure = v;
        }
        if (failure)
            return *failure;
    }
    return Value{};
}

Value logical(const Evaluator& ev, const Args& args, bool isAnd)
{
    bool any = false, result = isAnd;
    std::optional<Value> failure;
    auto take = [&](bool b) {
        any = true;
        result = isAnd ? (result && b) : (result || b);
    };
    for (const Node& arg : args) {
        if (auto area = ev.areaOf(arg)) {
            ev.cells.forEachValue(*area, [&](const Value& v) {
                if (v.isError() && !failure)
                    failure = v;
                else if (v.isNumber() || v.isBool())
                    take(v.number != 0);
            });
        } else {
            Value wrong;
            auto t = ev.condition(arg, wrong);
            if (!t)
                return wrong;
            take(*t);
        }
        if (failure)
            return *failure;
    }
    return any ? Value::ofBool(result) : err(ErrorCode::Value);
}

// A whole-number argument (truncated), or the error it gives.
std::optional<double> integerArg(const Evaluator& ev, const Node& n, Value& failure)
{
    Value v = ev.number(n);
    if (v.isError()) {
        failure = v;
        return std::nullopt;
    }
    return std::trunc(v.number);
}

Value indexFunction(const Evaluator& ev, const Args& args)
{
    if (args.size() < 2 || args.size() > 3)
        return err(ErrorCode::Value);
    auto area = ev.areaOf(args[0]);
    if (!area)
        return err(ErrorCode::Value);
    Value failure;
    auto first = integerArg(ev, args[1], failure);
    if (!first)
        return failure;
    double row = *first, col = 1;
    if (args.size() == 3 && args[2].kind != NodeKind::Missing) {
        auto second = integerArg(ev, args[2], failure);
        if (!second)
            return failure;
        col = *second;
    } else if (area->block.rows() == 1) {
        col = row;
        row = 1;
    }
    if (row < 1 || col < 1)
        return err(ErrorCode::Value);
    if (row > area->block.rows() || col > area->block.cols())
        return err(ErrorCode::Ref);
    return ev.cells.valueAt(area->sheet, area->block.row1 + static_cast<int>(row) - 1,
                            area->block.col1 + static_cast<int>(col) - 1);
}

Value matchFunction(const Evaluator& ev, const Args& args)
{
    if (args.size() < 2 || args.size() > 3)
        return err(ErrorCode::Value);
    Value wanted = ev.eval(args[0]);
    if (wanted.isError())
        return wanted;
    auto area = ev.areaOf(args[1]);
    if (!area || (area->block.rows() != 1 && area->block.cols() != 1))
        return err(ErrorCode::NA);
    double type = 1;
    if (args.size() == 3 && args[2].kind != NodeKind::Missing) {
        Value t = ev.number(args[2]);
        if (t.isError())
            return t;
        type = t.number;
    }
    const Block& b = area->block;
    int count = std::max(b.rows(), b.cols());
    int found = 0;
    for (int i = 0; i < count; ++i) {
        int r = b.rows() == 1 ? b.row1 : b.row1 + i;
        int c = b.rows() == 1 ? b.col1 + i : b.col1;
        const Value& v = ev.cells.valueAt(area->sheet, r, c);
        if (v.isEmpty() || v.isError())
            continue;
        bool sameKind = (v.isText() == wanted.isText()) && (v.isBool() == wanted.isBool());
        int cmp = compareValues(v, wanted);
        if (type == 0) {
            if (sameKind && cmp == 0)
                return Value::ofNumber(i + 1);
        } else if (sameKind) {
            // Sorted lookups: the last position before the order is broken.
            if ((type > 0 && cmp > 0) || (type < 0 && cmp < 0))
                break;
            found = i + 1;
        }
    }
    return found ? Value::ofNumber(found) : err(ErrorCode::NA);
}

Value dateFunction(const Evaluator& ev, const Args& args)
{
    if (args.size() != 3)
        return err(ErrorCode::Value);
    Value failure;
    double parts[3];
    for (int i = 0; i < 3; ++i) {
        auto v = integerArg(ev, args[static_cast<std::size_t>(i)], failure);
        if (!v)
            return failure;
        if (std::fabs(*v) > 1e7)
            return err(ErrorCode::Num);
        parts[i] = *v;
    }
    double year = parts[0];
    if (year < 0 || year >= 10000)
        return err(ErrorCode::Num);
    if (year < 1900)
        year += 1900;
    double serial = dateSerial(static_cast<int>(year), static_cast<int>(parts[1]), static_cast<int>(parts[2]));
    return serial < 0 ? err(ErrorCode::Num) : Value::ofNumber(serial);
}

Value datePart(const Evaluator& ev, const Args& args, bool year)
{
    if (args.size() != 1)
        return err(ErrorCode::Value);
    Value v = ev.number(args[0]);
    if (v.isError())
        return v;
    if (v.number < 0 || v.number > 2958465)
        return err(ErrorCode::Num);
    CivilDate d = civilFromSerial(v.number);
    return Value::ofNumber(year ? d.year : d.month);
}

// Applies f to one numeric argument.
template <class F>
Value unaryNumber(const Evaluator& ev, const Args& args, F&& f)
{
    if (args.size() != 1)
        return err(ErrorCode::Value);
    Value v = ev.number(args[0]);
    return v.isError() ? v : f(v.number);
}

Value twoNumbers(const Evaluator& ev, const Args& args, Value (*f)(double, double))
{
    if (args.size() != 2)
        return err(ErrorCode::Value);
    Value a = ev.number(args[0]);
    if (a.isError())
        return a;
    Value b = ev.number(args[1]);
    return b.isError() ? b : f(a.number, b.number);
}

Value ifFunction(const Evaluator& ev, const Args& args)
{
    if (args.empty() || args.size() > 3)
        return err(ErrorCode::Value);
    Value failure;
    auto cond = ev.condition(args[0], failure);
    if (!cond)
        return failure;
    if (*cond)
        return args.size() > 1 && args[1].kind != NodeKind::Missing ? ev.eval(args[1]) : Value::ofNumber(0);
    if (args.size() < 3)
        return Value::ofBool(false);
    return args[2].kind == NodeKind::Missing ? Value::ofNumber(0) : ev.eval(args[2]);
}

Value chooseFunction(const Evaluator& ev, const Args& args)
{
    if (args.size() < 2)
        return err(ErrorCode::Value);
    Value failure;
    auto index = integerArg(ev, args[0], failure);
    if (!index)
        return failure;
    if (*index < 1 || *index >= static_cast<double>(args.size()))
        return err(ErrorCode::Value);
    return ev.eval(args[static_cast<std::size_t>(*index)]);
}

Value textFunction(const Evaluator& ev, const Args& args)
{
    if (args.size() != 2)
        return err(ErrorCode::Value);
    Value v = ev.eval(args[0]);
    if (v.isError())
        return v;
    Value format = ev.eval(args[1]);
    if (format.isError())
        return format;
    Value n = toNumberValue(v);
    if (n.isError())
        return Value::ofText(textOf(v));
    return Value::ofText(formatNumber(n.number, textOf(format)));
}

Value aggregate(const Evaluator& ev, const Args& args, Function f)
{
    double sum = 0, count = 0;
    double best = f == Function::Max ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    Value failure = foldNumbers(ev, args, f == Function::Count, [&](double x) {
        sum += x;
        ++count;
        best = f == Function::Max ? std::max(best, x) : std::min(best, x);
    });
    if (failure.isError())
        return failure;
    switch (f) {
    case Function::Sum: return Value::ofNumber(sum);
    case Function::Count: return Value::ofNumber(count);
    case Function::Average: return count ? Value::ofNumber(sum / count) : err(ErrorCode::Div0);
    default: return Value::ofNumber(count ? best : 0);
    }
}
}

Value callFunction(const Evaluator& ev, const Node& call)
{
    const Args& args = call.children();
    switch (call.function) {
    case Function::Unknown: return err(ErrorCode::Name);
    case Function::If: return ifFunction(ev, args);
    case Function::And: return logical(ev, args, true);
    case Function::Or: return logical(ev, args, false);
    case Function::Not:
        if (args.size() != 1)
            return err(ErrorCode::Value);
        {
            Value failure;
            auto t = ev.condition(args[0], failure);
            return t ? Value::ofBool(!*t) : failure;
        }
    case Function::Sum:
    case Function::Average:
    case Function::Max:
    case Function::Min:
    case Function::Count: return aggregate(ev, args, call.function);
    case Function::Index: return indexFunction(ev, args);
    case Function::Match: return matchFunction(ev, args);
    case Function::Date: return dateFunction(ev, args);
    case Function::Year: return datePart(ev, args, true);
    case Function::Month: return datePart(ev, args, false);
    case Function::Today: return args.empty() ? Value::ofNumber(ev.cells.today()) : err(ErrorCode::Value);
    case Function::Mod:
        return twoNumbers(ev, args, [](double a, double b) {
            // The result takes the divisor's sign, as in spreadsheets.
            return b == 0 ? err(ErrorCode::Div0) : Value::ofNumber(a - b * std::floor(a / b));
        });
    case Function::Int: return unaryNumber(ev, args, [](double x) { return Value::ofNumber(std::floor(x)); });
    case Function::Abs: return unaryNumber(ev, args, [](double x) { return Value::ofNumber(std::fabs(x)); });
    case Function::Round:
        return twoNumbers(ev, args, [](double x, double places) {
            return Value::ofNumber(roundHalfAway(x, static_cast<int>(std::trunc(std::clamp(places, -300.0, 300.0)))));
        });
    case Function::Value:
        if (args.size() != 1)
            return err(ErrorCode::Value);
        return toNumberValue(ev.eval(args[0]));
    case Function::Choose: return chooseFunction(ev, args);
    case Function::Text: return textFunction(ev, args);
    }
    return err(ErrorCode::Name);
}

}
