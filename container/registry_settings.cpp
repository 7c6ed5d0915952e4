#include "container/registry_settings.h"

#include "common/c_registry.h"
#include "container/container_settings.h"
#include "container/frm_main.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"

namespace ks::container {
namespace {

constexpr qint32 kCurrentUser = qint32(0x80000001);
constexpr qint32 kLocalMachine = qint32(0x80000002);
constexpr qint32 kString = 1;
constexpr qint32 kNumber = 4;

cRegistry ownValue(qint32 root, const QString& name)
{
    cRegistry reg;
    reg.setClassKey(root);
    reg.setSectionKey(kOwnKey);
    reg.setValueKey(name);
    reg.setValueType(kString);
    return reg;
}

cRegistry promptValue()
{
    cRegistry reg;
    reg.setClassKey(kCurrentUser);
    reg.setSectionKey("SOFTWARE\\" + App::title());
    reg.setValueKey("RB_Bar");
    reg.setValueType(kNumber);
    reg.setDefault(clsRB::kShowPrompt);
    return reg;
}

qint32 storedPrompt()
{
    cRegistry reg = promptValue();
    return reg.Value().toInt();
}

}

QString GetSet(const QString& name, const QString& defaultValue)
{
    return passingOn("GetSet", [&] {
        cRegistry machine = ownValue(kLocalMachine, name);
        machine.setDefault(defaultValue);
        cRegistry user = ownValue(kCurrentUser, name);
        user.setDefault(machine.Value());
        return user.Value().toString();
    });
}

void SaveSet(const QString& name, const QString& value)
{
    passingOn("SaveSet", [&] { ownValue(kCurrentUser, name).setValue(value); });
}

bool GetStartupOffer()
{
    return leadingNumber(GetSet("DontStartup")) == 0;
}

void SetStartupOffer(bool on)
{
    SaveSet("DontStartup", on ? "0" : "1");
    for (frmMain* window : frmMain::loadedWindows())
        window->markStartupOffer(on);
}

qint32 clsRB::DisplayPrompt(bool)
{
    const qint32 stored = storedPrompt();
    if (stored == kShowPrompt) {
        if (choice_ != 0 && saveValue_)
            promptValue().setValue(choice_);
    } else {
        choice_ = stored;
    }
    return choice_;
}

void clsRB::ResetPrompt() { promptValue().setValue(kShowPrompt); }

bool clsRB::GetDisplayPrompt() const { return storedPrompt() == kShowPrompt; }

}
