#include "platform/files/files.h"

#include <cstring>

namespace ks::files {

Outcome Outcome::failure(int error, std::string reason)
{
    return {error, reason.empty() ? std::strerror(error) : std::move(reason)};
}

}
