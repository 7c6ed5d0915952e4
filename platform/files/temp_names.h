#pragma once
// How a save names its temporary file beside the target, and the clean-up of the
// temporaries that saves killed before their rename left behind.
#include <ctime>
#include <string>

namespace ks::files {

// "<folder>/.<name>." : a temporary is this, a decimal number and ".tmp". The name is cut
// so that the temporary's name stays under NAME_MAX.
std::string tempStem(const std::string& target);
// True when fileName (no folder) is a temporary name of the target's stem.
bool isTempName(const std::string& stemName, const std::string& fileName);

// Removes the temporaries of target's naming pattern in its folder that are regular files
// of this user, last written before since: no save that is still running owns them.
void removeStaleTemporaries(const std::string& target, const timespec& since);

}
