#pragma once
// Points the registry at a fresh temporary folder for each test.
#include "platform/registry/registry_api.h"
#include "platform/registry/store_config.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ks::test {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(machineFolder()); // the program folder always exists
        configure();
    }
    void TearDown() override { registry::configureStore(registry::StoreSetup{userFolder(), machineFolder(), docs(), true}); }

    void configure(bool machineReadOnly = false)
    {
        registry::configureStore(registry::StoreSetup{userFolder(), machineFolder(), docs(), machineReadOnly});
    }
    std::string userFolder() const { return temp.str() + "/user"; }
    std::string machineFolder() const { return temp.str() + "/machine"; }
    std::string docs() const { return temp.str() + "/My Documents"; }

    TempDir temp;
};

// Writes a value, creating its key; the registry call's result.
inline registry::LONG putValue(registry::HKEY root, const std::string& path, const std::string& name,
                               registry::DWORD type, const std::vector<std::uint8_t>& data)
{
    using namespace registry;
    HKEY key;
    LONG rc = RegCreateKeyEx(root, path, KEY_ALL_ACCESS, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueEx(key, name, type, data.data(), DWORD(data.size()));
    RegCloseKey(key);
    return rc;
}

inline std::vector<std::uint8_t> sz(const std::string& text)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}
