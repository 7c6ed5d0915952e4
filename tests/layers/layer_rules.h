#pragma once
// Reads the #include lines of the source folders and checks them against the layering
// of the architecture. Each check returns one finding per offending include (or cycle).
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ks::test::layers {

struct Include {
    int line = 0;
    std::string name;     // as written between the quotes or angle brackets
    bool angled = false;  // <...>: a system or library header
};

struct SourceTree {
    std::string root;
    std::vector<std::string> folders;                      // the layout's folders, e.g. "platform/ui"
    std::map<std::string, std::vector<Include>> files;     // relative path -> its includes

    // The folder a file or included name belongs to (the longest matching one), or "".
    std::string folderOf(const std::string& path) const;
    // An included name as a path from the root ("" for a system header or an unknown file).
    std::string resolve(const std::string& from, const Include& include) const;
};

SourceTree readSourceTree(const std::string& root, const std::vector<std::string>& folders);

// platform/* and common/ never include a subsystem, deliverable or tools folder.
std::vector<std::string> sharedLayersReachingUp(const SourceTree& tree);
// Files under the given folders include no Qt header, directly or through our headers.
std::vector<std::string> qtInQtFreeFolders(const SourceTree& tree, const std::vector<std::string>& qtFree);
// Includes from one subsystem into another that allowed does not name as {includer, included}.
// A subsystem is a top folder other than common/ and platform/ ("addon/core" belongs to "addon").
using Edges = std::set<std::pair<std::string, std::string>>;
std::vector<std::string> unnamedSubsystemEdges(const SourceTree& tree, const Edges& allowed);
// Folders that include each other, directly or round a longer circle.
std::vector<std::string> folderCycles(const SourceTree& tree);

}
