#include "platform/win/dialog_template.h"

#include <list>
#include <strings.h>

namespace ks::win {
namespace {

// A list: references handed out stay valid while templates are added.
std::list<DialogTemplate>& templates()
{
    static std::list<DialogTemplate> all;
    return all;
}

DialogTemplate* find(const std::string& name)
{
    for (DialogTemplate& t : templates())
        if (strcasecmp(t.name.c_str(), name.c_str()) == 0)
            return &t;
    return nullptr;
}

}

const DialogTemplate& registerDialogTemplate(DialogTemplate dialogTemplate)
{
    if (DialogTemplate* existing = find(dialogTemplate.name)) {
        *existing = std::move(dialogTemplate);
        return *existing;
    }
    return templates().emplace_back(std::move(dialogTemplate));
}

const DialogTemplate* findDialogTemplate(const std::string& name) { return find(name); }

}
