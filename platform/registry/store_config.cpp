#include "platform/registry/store_config.h"

#include "platform/registry/registry_state.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace ks::registry {

namespace {

std::string environmentOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value == '/' ? std::string(value) : fallback;
}

std::string homeFolder() { return environmentOr("HOME", "/"); }

std::string configHome() { return environmentOr("XDG_CONFIG_HOME", homeFolder() + "/.config"); }

bool mayWrite(const std::string& folder, const std::string& file)
{
    std::error_code ec;
    if (fs::exists(file, ec) && ::access(file.c_str(), W_OK) != 0)
        return false;
    return ::access(folder.c_str(), W_OK) == 0;
}

std::unique_ptr<KeyStore> userStore(const StoreSetup& setup)
{
    KeyStore::Options options;
    options.file = (fs::path(setup.userFolder) / kUserStoreFile).string();
    options.writable = true;
    options.createOnOpen = true;
    options.wal = true;
    std::string documents = setup.documentsFolder.empty() ? xdgDocumentsFolder() : setup.documentsFolder;
    options.seeds.push_back({{"Software", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"},
                             "Personal", documents});
    return std::make_unique<KeyStore>(std::move(options));
}

std::unique_ptr<KeyStore> machineStore(const StoreSetup& setup)
{
    KeyStore::Options options;
    options.file = (fs::path(setup.machineFolder) / kMachineStoreFile).string();
    // A rollback journal: WAL would need a writable folder even for reading.
    options.writable = !setup.machineReadOnly && mayWrite(setup.machineFolder, options.file);
    return std::make_unique<KeyStore>(std::move(options));
}

}

RegistryState& registryState()
{
    static RegistryState state;
    return state;
}

void configureLocked(RegistryState& state, const StoreSetup* setup)
{
    StoreSetup defaults{defaultUserFolder(), defaultMachineFolder(), {}, false};
    const StoreSetup& chosen = setup ? *setup : defaults;
    state.handles.clear();
    state.user = userStore(chosen);
    state.machine = machineStore(chosen);
    state.configured = true;
}

void configureStore(const StoreSetup& setup)
{
    auto& state = registryState();
    std::lock_guard lock(state.mutex);
    configureLocked(state, &setup);
}

void configureStore(const std::string& userFolder, const std::string& machineFolder)
{
    configureStore(StoreSetup{userFolder, machineFolder, {}, false});
}

std::string defaultUserFolder() { return configHome() + "/Kestrune"; }

std::string defaultMachineFolder()
{
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec).string() : exe.parent_path().string();
}

std::string xdgDocumentsFolder()
{
    std::ifstream dirs(configHome() + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=";
    for (std::string line; std::getline(dirs, line);) {
        if (line.rfind(key, 0) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = homeFolder() + value.substr(5);
        if (!value.empty() && value.front() == '/')
            return value;
    }
    return homeFolder() + "/Documents";
}

std::string storeProblem()
{
    auto& state = registryState();
    std::lock_guard lock(state.mutex);
    if (!state.configured)
        return {};
    std::string problem = state.user->problem();
    if (!state.machine->problem().empty())
        problem += (problem.empty() ? "" : "\n") + state.machine->problem();
    return problem;
}

}
