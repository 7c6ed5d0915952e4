#pragma once
// Pages read by libxml2's HTML parser, the referee of the reader and the writer: in the
// character set the page declares, recovering from errors, without the network.
#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <set>
#include <string>

namespace ks::test {

inline htmlDocPtr ParseWithLibxml2(const std::string& page)
{
    return htmlReadMemory(page.data(), int(page.size()), nullptr, nullptr,
                          HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
}

inline xmlNode* FindBody(xmlNode* node)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, BAD_CAST "body"))
            return n;
        if (xmlNode* found = FindBody(n->children))
            return found;
    }
    return nullptr;
}

// The kinds of error libxml2's HTML parser reports on a page.
inline std::set<int> Libxml2Errors(const std::string& page)
{
    std::set<int> codes;
    xmlSetStructuredErrorFunc(&codes, [](void* data, xmlError* error) {
        static_cast<std::set<int>*>(data)->insert(error->code);
    });
    htmlDocPtr doc = htmlReadMemory(page.data(), int(page.size()), nullptr, nullptr, HTML_PARSE_RECOVER | HTML_PARSE_NONET);
    xmlFreeDoc(doc);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    return codes;
}

}
