#include "tests/layers/layer_rules.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>

namespace ks::test::layers {

namespace fs = std::filesystem;

namespace {

bool under(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

std::vector<Include> includesOf(const fs::path& file)
{
    static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::smatch m;
        if (std::regex_search(text, m, directive))
            found.push_back({line, m[2], m[1] == "<"});
    }
    return found;
}

bool isQtHeader(const Include& include)
{
    static const std::regex qt(R"(^(Q[A-Z]\w*|Qt\w*/.*|q\w+\.h)$)");
    return include.angled && std::regex_match(include.name, qt);
}

bool isSharedLayer(const std::string& folder) { return folder == "common" || folder.rfind("platform/", 0) == 0; }

std::string subsystemOf(const std::string& folder) { return folder.substr(0, folder.find('/')); }

std::string where(const std::string& file, const Include& include)
{
    return file + ":" + std::to_string(include.line) + " includes " + include.name;
}

}

std::string SourceTree::folderOf(const std::string& path) const
{
    std::string best;
    for (const std::string& folder : folders)
        if (under(path, folder) && folder.size() > best.size())
            best = folder;
    return best;
}

std::string SourceTree::resolve(const std::string& from, const Include& include) const
{
    if (include.angled)
        return {};
    if (files.count(include.name))
        return include.name;
    const std::string beside = (fs::path(from).parent_path() / include.name).lexically_normal().string();
    return files.count(beside) ? beside : std::string();
}

SourceTree readSourceTree(const std::string& root, const std::vector<std::string>& folders)
{
    SourceTree tree{root, folders, {}};
    for (const std::string& folder : folders) {
        const fs::path top = fs::path(root) / folder;
        if (!fs::is_directory(top))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(top)) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp"))
                tree.files[fs::relative(entry.path(), root).generic_string()] = includesOf(entry.path());
        }
    }
    return tree;
}

std::vector<std::string> sharedLayersReachingUp(const SourceTree& tree)
{
    std::vector<std::string> findings;
    for (const auto& [file, includes] : tree.files) {
        if (!isSharedLayer(tree.folderOf(file)))
            continue;
        for (const Include& include : includes) {
            const std::string target = tree.folderOf(tree.resolve(file, include));
            if (!target.empty() && !isSharedLayer(target))
                findings.push_back(where(file, include) + " (a shared layer reaching up into " + target + ")");
        }
    }
    return findings;
}

std::vector<std::string> unnamedSubsystemEdges(const SourceTree& tree, const Edges& allowed)
{
    std::vector<std::string> findings;
    for (const auto& [file, includes] : tree.files) {
        const std::string from = tree.folderOf(file);
        if (from.empty() || isSharedLayer(from))
            continue;
        for (const Include& include : includes) {
            const std::string to = tree.folderOf(tree.resolve(file, include));
            if (to.empty() || isSharedLayer(to) || subsystemOf(to) == subsystemOf(from))
                continue;
            if (!allowed.count({subsystemOf(from), subsystemOf(to)}))
                findings.push_back(where(file, include) + " (" + subsystemOf(from) + " on " + subsystemOf(to) + ")");
        }
    }
    return findings;
}

std::vector<std::string> qtInQtFreeFolders(const SourceTree& tree, const std::vector<std::string>& qtFree)
{
    // Whether a file pulls in Qt, and through which include; computed once per file.
    std::map<std::string, std::string> via;   // file -> "" (free) or the chain to Qt
    std::function<const std::string&(const std::string&)> qtChain = [&](const std::string& file) -> const std::string& {
        if (auto known = via.find(file); known != via.end())
            return known->second;
        std::string& chain = via[file];   // "" while being worked on: an include cycle adds nothing
        for (const Include& include : tree.files.at(file)) {
            if (isQtHeader(include)) {
                chain = "<" + include.name + ">";
                break;
            }
            const std::string target = tree.resolve(file, include);
            if (target.empty())
                continue;
            if (const std::string& deeper = qtChain(target); !deeper.empty()) {
                chain = target + " -> " + deeper;
                break;
            }
        }
        return chain;
    };
    std::vector<std::string> findings;
    for (const auto& [file, includes] : tree.files) {
        bool checked = std::any_of(qtFree.begin(), qtFree.end(), [&](const std::string& f) { return under(file, f); });
        if (checked && !qtChain(file).empty())
            findings.push_back(file + " reaches Qt: " + qtChain(file));
    }
    return findings;
}

std::vector<std::string> folderCycles(const SourceTree& tree)
{
    // One example include for each edge between two folders.
    std::map<std::string, std::map<std::string, std::string>> edges;
    for (const auto& [file, includes] : tree.files) {
        const std::string from = tree.folderOf(file);
        for (const Include& include : includes) {
            const std::string to = tree.folderOf(tree.resolve(file, include));
            if (!from.empty() && !to.empty() && to != from && !edges[from].count(to))
                edges[from][to] = where(file, include);
        }
    }
    // Tarjan's strongly connected components: a component of two or more folders is a circle.
    std::map<std::string, int> index, low;
    std::vector<std::string> stack;
    std::set<std::string> onStack;
    std::vector<std::string> findings;
    int counter = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& v) {
        index[v] = low[v] = counter++;
        stack.push_back(v);
        onStack.insert(v);
        for (const auto& [w, example] : edges[v]) {
            if (!index.count(w)) {
                visit(w);
                low[v] = std::min(low[v], low[w]);
            } else if (onStack.count(w)) {
                low[v] = std::min(low[v], index[w]);
            }
        }
        if (low[v] != index[v])
            return;
        std::set<std::string> component;
        std::string w;
        do {
            w = stack.back();
            stack.pop_back();
            onStack.erase(w);
            component.insert(w);
        } while (w != v);
        if (component.size() < 2)
            return;
        std::string text = "these folders include each other:";
        for (const std::string& a : component)
            for (const auto& [b, example] : edges[a])
                if (component.count(b))
                    text += "\n  " + a + " -> " + b + ": " + example;
        findings.push_back(text);
    };
    for (const std::string& folder : tree.folders)
        if (!index.count(folder))
            visit(folder);
    return findings;
}

}
