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

// Resolves a handle and names key\subKey as parts below target.base.
LONG resolvePath(RegistryState& state, HKEY key, const std::string& subKey, Target* target,
                 std::vector<std::string>* parts)
{
    LONG rc = resolve(state, key, target);
    if (rc == ERROR_SUCCESS)
        rc = splitKeyPath(subKey, parts);
    if (rc == ERROR_SUCCESS)
        parts->insert(parts->begin(), target->prefix.begin(), target->prefix.end());
    return rc;
}

// Runs op on a handle resolved with its subkey path, under the lock.
template <class Op>
LONG onPath(HKEY key, const std::string& subKey, Op&& op)
{
    Call call;
    Target target;
    std::vector<std::string> parts;
    LONG rc = resolvePath(call.state, key, subKey, &target, &parts);
    return rc == ERROR_SUCCESS ? op(call.state, target, parts) : rc;
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

// Runs op on the handle's own key, under the lock.
template <class Op>
LONG onKey(HKEY key, REGSAM right, Op&& op)
{
    Call call;
    Target target;
    KeyId id;
    LONG rc = keyOf(call.state, key, right, &target, &id);
    return rc == ERROR_SUCCESS ? op(*target.store, id) : rc;
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

// Opens key\subKey, creating what is missing of it when asked, as a new handle.
LONG openHandle(HKEY key, const std::string& subKey, REGSAM access, bool create, HKEY* result, DWORD* disposition)
{
    *result = 0;
    return onPath(key, subKey, [&](RegistryState& state, const Target& target, const std::vector<std::string>& parts) {
        if (create && !target.predefined && !(target.access & KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        if ((access & KEY_CHANGING_RIGHTS) && !target.store->writable())
            return ERROR_ACCESS_DENIED;
        KeyId id;
        bool created = false;
        LONG rc = create ? target.store->createKey(target.base, parts, &id, &created)
                         : target.store->findKey(target.base, parts, &id);
        if (rc != ERROR_SUCCESS)
            return rc;
        if (disposition)
            *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        *result = newHandle(state, target.store, id, access);
        return ERROR_SUCCESS;
    });
}

}

LONG RegOpenKeyEx(HKEY key, const std::string& subKey, REGSAM access, HKEY* result)
{
    return openHandle(key, subKey, access, false, result, nullptr);
}

LONG RegCreateKeyEx(HKEY key, const std::string& subKey, REGSAM access, HKEY* result, DWORD* disposition)
{
    return openHandle(key, subKey, access, true, result, disposition);
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
    return onPath(key, subKey, [&](RegistryState&, const Target& target, const std::vector<std::string>& parts) {
        if (target.predefined && subKey.empty())
            return ERROR_ACCESS_DENIED;
        return target.store->deleteKey(target.base, parts);
    });
}

LONG RegDeleteValue(HKEY key, const std::string& valueName)
{
    return onKey(key, KEY_SET_VALUE, [&](KeyStore& store, KeyId id) { return store.deleteValue(id, valueName); });
}

LONG RegQueryValueEx(HKEY key, const std::string& valueName, DWORD* type, std::uint8_t* data, DWORD* size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    return onKey(key, KEY_QUERY_VALUE, [&](KeyStore& store, KeyId id) {
        StoredValue value;
        LONG rc = store.queryValue(id, valueName, &value);
        return rc == ERROR_SUCCESS ? deliver(value, type, data, size) : rc;
    });
}

LONG RegSetValueEx(HKEY key, const std::string& valueName, DWORD type, const std::uint8_t* data, DWORD size)
{
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    return onKey(key, KEY_SET_VALUE, [&](KeyStore& store, KeyId id) {
        return store.setValue(id, valueName, type, std::vector<std::uint8_t>(data, data + size));
    });
}

LONG RegEnumKeyEx(HKEY key, DWORD index, std::string* name)
{
    return onKey(key, KEY_ENUMERATE_SUB_KEYS, [&](KeyStore& store, KeyId id) { return store.subKeyAt(id, index, name); });
}

LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type, std::uint8_t* data, DWORD* size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    return onKey(key, KEY_QUERY_VALUE, [&](KeyStore& store, KeyId id) {
        StoredValue value;
        LONG rc = store.valueAt(id, index, &value);
        if (rc != ERROR_SUCCESS)
            return rc;
        *name = value.name;
        return deliver(value, type, data, size);
    });
}

LONG RegQueryInfoKey(HKEY key, KeyInfo* info)
{
    *info = {};
    return onKey(key, KEY_QUERY_VALUE, [&](KeyStore& store, KeyId id) { return store.info(id, info); });
}

std::string RegStoreProblem(HKEY key)
{
    Call call;
    Target target;
    return resolve(call.state, key, &target) == ERROR_SUCCESS ? target.store->problem() : std::string();
}

}
