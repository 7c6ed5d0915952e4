#include "common/settings.h"

#include "common/paths.h"
#include "platform/runtime/app.h"
#include "platform/files/files.h"
#include "platform/runtime/runtime_error.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace ks {
namespace {

// Everything kept as read: whitespace, line ends, comments.
constexpr unsigned kParseOptions = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_declaration
                                 | pugi::parse_comments | pugi::parse_ws_pcdata | pugi::parse_doctype | pugi::parse_pi;
constexpr unsigned kSaveOptions = pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags;

// SETTINGS/<key>, where a key such as "EXPORT/HEADER/BOLD" names nested elements.
pugi::xml_node settingNode(const SettingsDocument& document, const QString& key)
{
    if (key.isEmpty())
        return {};
    pugi::xml_node node = document.xml.child("SETTINGS");
    for (const QString& part : key.split('/')) {
        if (part.isEmpty())
            return {};
        node = node.child(part.toUtf8().constData());
    }
    return node;
}

// The document element and what follows it, serialised as it was read.
std::string serialiseFromRoot(const pugi::xml_document& xml)
{
    std::ostringstream out;
    for (pugi::xml_node n = xml.document_element(); n; n = n.next_sibling())
        n.print(out, "", kSaveOptions, pugi::encoding_utf8);
    return out.str();
}

}

QString SettingsFilePath()
{
    return ProgramFile(kSettingsFileName);
}

bool LoadSettingsDocument(const QString& path, SettingsDocument& document)
{
    std::string bytes;
    if (!files::readFile(path.toStdString(), bytes))
        return false;
    document.original = QByteArray::fromStdString(bytes);
    return document.xml.load_buffer(document.original.constData(), size_t(document.original.size()), kParseOptions)
        && document.xml.document_element();
}

void SaveSettingsDocument(const SettingsDocument& document, const QString& path)
{
    // The bytes before the document element (declaration, blank lines) and the
    // trailing line end are taken from the file as read; the element is serialised.
    const QByteArray& original = document.original;
    const qsizetype rootAt = original.lastIndexOf('<', qsizetype(document.xml.document_element().offset_debug()));
    qsizetype tail = original.size();
    while (tail > 0 && std::isspace(static_cast<unsigned char>(original[tail - 1])))
        --tail;
    const std::string text = original.left(std::max<qsizetype>(rootAt, 0)).toStdString()
                           + serialiseFromRoot(document.xml) + original.mid(tail).toStdString();
    if (!files::saveFile(path.toStdString(), text))
        throw RuntimeError(75, "Path/File access error: " + path.toStdString());
}

QString GetXMLNodeText(const QString& key, const SettingsDocument& document)
{
    return passingOn("GetXMLNodeText", [&] {
        return QString::fromUtf8(settingNode(document, key).text().get());
    });
}

void setXMLNodeText(const QString& key, const QString& SettingValue, SettingsDocument& document)
{
    passingOn("setXMLNodeText", [&] {
        pugi::xml_node node = settingNode(document, key);
        if (!node)
            return;   // the program never adds an element
        const QByteArray value = SettingValue.toUtf8();
        // Replace every text child so the element holds exactly the new value.
        while (pugi::xml_node text = node.find_child([](pugi::xml_node n) {
                   return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
               }))
            node.remove_child(text);
        if (!value.isEmpty())
            node.append_child(pugi::node_pcdata).set_value(value.constData());
        SaveSettingsDocument(document, SettingsFilePath());
    });
}

void StoreSetting(const QString& SettingKey, const QString& SettingValue)
{
    passingOn("GetXMLNodeText", [&] {
        SettingsDocument document;
        if (LoadSettingsDocument(SettingsFilePath(), document))
            setXMLNodeText(SettingKey, SettingValue, document);
    });
}

}
