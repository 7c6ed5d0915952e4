#include "platform/registry/registry_api.h"

#include "platform/registry/key_names.h"
#include "platform/registry/registry_state.h"

#include <cstring>

namespace ks::registry {

namespace {

// A handle resolved to the key it names: a store, a key in it, and the path
// below that key still to walk (HKEY_CLASSES_ROOT is "SOFTWARE\Classes").
struct Target {
    KeyStore* store = nullptr;
    KeyId base = KeyStore::kRoot;
    std::vector<std::string> prefix;
    REGSAM access = KEY_ALL_ACCESS;
    bool predefined = true;
};

// Holds the lock for one call and sets up the defaults on first use.
struct Call {
    RegistryState& state = registryState();
    std::lock_guard<std::mutex> lock{state.mutex};
    Call()
    {
        if (!state.configured)
            configureLocked(state, nullptr);
    }
};

LONG resolve(RegistryState& state, HKEY key, Target* target)
{
    switch (key) {
    case HKEY_CURRENT_USER:
        target->store = state.user.get();
        return ERROR_SUCCESS;
    case HKEY_LOCAL_MACHINE:
        target->store = state.machine.get();
        return ERROR_SUCCESS;
    case HKEY_CLASSES_ROOT:
        target->store = state.machine.get();
        target->prefix = {"SOFTWARE", "Classes"};
        return ERROR_SUCCESS;
    default:
        break;
    }
    auto found = state.handles.find(key);
    if (found == state.handles.end())
        return ERROR_INVALID_HANDLE;
    *target = {found->second.store, found->second.id, {}, found->second.access, false};
    return ERROR_SUCCESS;
}

// The target plus subKey, as parts below target.base.
LONG pathBelow(const Target& target, const std::string& subKey, std::vector<std::string>* parts)
{
    LONG rc = splitKeyPath(subKey, parts);
    if (rc == ERROR_SUCCESS)
        parts->insert(parts->begin(), target.prefix.begin(), target.prefix.end());
    return rc;
}

// Resolves a handle to its own key, checking that it carries the right needed.
LONG keyOf(RegistryState& state, HKEY key, REGSAM right, Target* target, KeyId* id)
{
    LONG rc = resolve(state, key, target);
    if (rc != ERROR_SUCCESS)
        return rc;
    if ((target->access & right) != right)
        return ERROR_ACCESS_DENIED;
    return target->store->findKey(target->base, target->prefix, id);
}

HKEY newHandle(RegistryState& state, KeyStore* store, KeyId id, REGSAM access)
{
    HKEY handle = state.nextHandle;
    state.nextHandle += 4;
    state.handles[handle] = {store, id, access};
    return handle;
}

// Hands a value out under the size rules of RegQueryValueEx.
LONG deliver(const StoredValue& value, DWORD* type, std::uint8_t* data, DWORD* size)
{
    if (type)
        *type = value.type;
    auto needed = static_cast<DWORD>(value.data.size());
    if (!data) {
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (needed)
        std::memcpy(data, value.data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

}

LONG RegOpenKeyEx(HKEY key, const std::string& subKey, REGSAM access, HKEY* result)
{
    Call call;
    *result = 0;
    Target target;
    std::vector<std::string> parts;
    LONG rc = resolve(call.state, key, &target);
    if (rc == ERROR_SUCCESS)
        rc = pathBelow(target, subKey, &parts);
    if (rc != ERROR_SUCCESS)
        return rc;
    if ((access & KEY_CHANGING_RIGHTS) && !target.store->writable())
        return ERROR_ACCESS_DENIED;
    KeyId id;
    rc = target.store->findKey(target.base, parts, &id);
    if (rc == ERROR_SUCCESS)
        *result = newHandle(call.state, target.store, id, access);
    return rc;
}

LONG RegCreateKeyEx(HKEY key, const std::string& subKey, REGSAM access, HKEY* result, DWORD* disposition)
{
    Call call;
    *result = 0;
    Target target;
    std::vector<std::string> parts;
    LONG rc = resolve(call.state, key, &target);
    if (rc == ERROR_SUCCESS)
        rc = pathBelow(target, subKey, &parts);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!target.predefined && !(target.access & KEY_CREATE_SUB_KEY))
        return ERROR_ACCESS_DENIED;
    if ((access & KEY_CHANGING_RIGHTS) && !target.store->writable())
        return ERROR_ACCESS_DENIED;
    KeyId id;
    bool created = false;
    rc = target.store->createKey(target.base, parts, &id, &created);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = newHandle(call.state, target.store, id, access);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    Call call;
    if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    return call.state.handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegDeleteKey(HKEY key, const std::string& subKey)
{
    Call call;
    Target target;
    std::vector<std::string> parts;
    LONG rc = resolve(call.state, key, &target);
    if (rc == ERROR_SUCCESS)
        rc = pathBelow(target, subKey, &parts);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (target.predefined && subKey.empty())
        return ERROR_ACCESS_DENIED;
    return target.store->deleteKey(target.base, parts);
}

LONG RegDeleteValue(HKEY key, const std::string& valueName)
{
    Call call;
    Target target;
    KeyId id;
    LONG rc = keyOf(call.state, key, KEY_SET_VALUE, &target, &id);
    return rc == ERROR_SUCCESS ? target.store->deleteValue(id, valueName) : rc;
}

LONG RegQueryValueEx(HKEY key, const std::string& valueName, DWORD* type, std::uint8_t* data, DWORD* size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    Call call;
    Target target;
    KeyId id;
    StoredValue value;
    LONG rc = keyOf(call.state, key, KEY_QUERY_VALUE, &target, &id);
    if (rc == ERROR_SUCCESS)
        rc = target.store->queryValue(id, valueName, &value);
    return rc == ERROR_SUCCESS ? deliver(value, type, data, size) : rc;
}

LONG RegSetValueEx(HKEY key, const std::string& valueName, DWORD type, const std::uint8_t* data, DWORD size)
{
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    Call call;
    Target target;
    KeyId id;
    LONG rc = keyOf(call.state, key, KEY_SET_VALUE, &target, &id);
    if (rc != ERROR_SUCCESS)
        return rc;
    return target.store->setValue(id, valueName, type, std::vector<std::uint8_t>(data, data + size));
}

LONG RegEnumKeyEx(HKEY key, DWORD index, std::string* name)
{
    Call call;
    Target target;
    KeyId id;
    LONG rc = keyOf(call.state, key, KEY_ENUMERATE_SUB_KEYS, &target, &id);
    return rc == ERROR_SUCCESS ? target.store->subKeyAt(id, index, name) : rc;
}

LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type, std::uint8_t* data, DWORD* size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    Call call;
    Target target;
    KeyId id;
    StoredValue value;
    LONG rc = keyOf(call.state, key, KEY_QUERY_VALUE, &target, &id);
    if (rc == ERROR_SUCCESS)
        rc = target.store->valueAt(id, index, &value);
    if (rc != ERROR_SUCCESS)
        return rc;
    *name = value.name;
    return deliver(value, type, data, size);
}

LONG RegQueryInfoKey(HKEY key, KeyInfo* info)
{
    Call call;
    Target target;
    KeyId id;
    *info = {};
    LONG rc = keyOf(call.state, key, KEY_QUERY_VALUE, &target, &id);
    return rc == ERROR_SUCCESS ? target.store->info(id, info) : rc;
}

}
