#pragma once
// Where the registry lives. The user scope (HKEY_CURRENT_USER) is a database
// in the user's configuration folder; the machine scope (HKEY_LOCAL_MACHINE,
// and HKEY_CLASSES_ROOT as its "SOFTWARE\Classes") is one in the program
// folder, opened read-only unless this process may write there.
#include <string>

namespace ks::registry {

inline constexpr const char* kUserStoreFile = "user-registry.db";
inline constexpr const char* kMachineStoreFile = "machine-registry.db";

struct StoreSetup {
    std::string userFolder;
    std::string machineFolder;
    // Seeds the user's "Personal" shell folder; empty means xdgDocumentsFolder().
    std::string documentsFolder;
    // Keeps the machine scope read-only even where the process could write it.
    bool machineReadOnly = false;
};

// Points the store at its folders and closes every open key. Without a call,
// the defaults below are used.
void configureStore(const StoreSetup& setup);
void configureStore(const std::string& userFolder, const std::string& machineFolder);

// $XDG_CONFIG_HOME (default ~/.config) + "/Kestrune", shared by both programs.
std::string defaultUserFolder();
// The folder of the running executable.
std::string defaultMachineFolder();
// XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents.
std::string xdgDocumentsFolder();

// Why a scope's database is unusable (damaged, not ours, cannot be opened);
// empty while both are fine.
std::string storeProblem();

}
