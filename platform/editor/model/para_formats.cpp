#include "platform/editor/model/para_formats.h"

namespace ks::editor {
namespace {

// The twelve values in their API order.
constexpr int ParaFormat::*kValueFields[12] = {
    &ParaFormat::leftIndent, &ParaFormat::rightIndent, &ParaFormat::firstIndent, &ParaFormat::opaque4,
    &ParaFormat::opaque5,    &ParaFormat::typeWord,    &ParaFormat::ruleValue,   &ParaFormat::styleFlags,
    &ParaFormat::spaceBefore, &ParaFormat::spaceAfter, &ParaFormat::lineValue,   &ParaFormat::flags};

}

std::array<int, 12> ParaFormat::values() const
{
    std::array<int, 12> v{};
    for (int i = 0; i < 12; ++i)
        v[i] = this->*kValueFields[i];
    return v;
}

ParaFormat ParaFormat::fromValues(const std::array<int, 12>& v)
{
    ParaFormat f;
    for (int i = 0; i < 12; ++i)
        f.*kValueFields[i] = v[i];
    return f;
}

}
