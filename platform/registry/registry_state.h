#pragma once
// The process-wide registry: the two scope databases and the open key handles,
// behind one lock so that every call is whole.
#include "platform/registry/key_store.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace ks::registry {

struct StoreSetup;

struct OpenKey {
    KeyStore* store;
    KeyId id;
    REGSAM access;
};

struct RegistryState {
    std::mutex mutex;
    bool configured = false;
    std::unique_ptr<KeyStore> user;
    std::unique_ptr<KeyStore> machine;
    std::unordered_map<HKEY, OpenKey> handles;
    HKEY nextHandle = 0x1000;
};

RegistryState& registryState();
// With the lock held: sets up the stores (the defaults when setup is null).
void configureLocked(RegistryState& state, const StoreSetup* setup);

}
