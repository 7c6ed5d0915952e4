#include "platform/workbook/engine/formula_tree.h"

namespace ks::workbook {

namespace {
void place(const TreeNode& n, std::size_t at, Formula& f)
{
    Node& e = f.nodes[at];
    e.kind = n.kind;
    e.op = n.op;
    e.function = n.function;
    e.error = n.error;
    e.sheet = n.sheet;
    e.number = n.number;
    e.a = n.a;
    e.b = n.b;
    if (!n.text.empty()) {
        e.text = static_cast<std::uint32_t>(f.texts.size());
        f.texts.push_back(n.text);
    }
    if (n.children.empty())
        return;
    std::size_t first = f.nodes.size();
    e.count = static_cast<std::uint32_t>(n.children.size());
    e.offset = static_cast<std::int32_t>(first - at);
    f.nodes.resize(first + n.children.size());  // e may move from here
    for (std::size_t i = 0; i < n.children.size(); ++i)
        place(n.children[i], first + i, f);
}

std::size_t nodeCount(const TreeNode& n)
{
    std::size_t count = 1;
    for (const TreeNode& child : n.children)
        count += nodeCount(child);
    return count;
}
}

void layOut(const TreeNode& root, Formula& formula)
{
    formula.nodes.clear();
    formula.texts.assign(1, std::string());
    formula.nodes.reserve(nodeCount(root));
    formula.nodes.resize(1);
    place(root, 0, formula);
}

}
