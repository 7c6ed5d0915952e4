#include "platform/registry/registry_codes.h"

namespace ks::registry {

std::string errorMessage(LONG code)
{
    switch (code) {
    case ERROR_SUCCESS: return "The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
    case ERROR_ACCESS_DENIED: return "Access is denied.";
    case ERROR_INVALID_HANDLE: return "The handle is invalid.";
    case ERROR_INVALID_DATA: return "The data is invalid.";
    case ERROR_INVALID_PARAMETER: return "The parameter is incorrect.";
    case ERROR_BAD_PATHNAME: return "The specified path is invalid.";
    case ERROR_MORE_DATA: return "More data is available.";
    case ERROR_NO_MORE_ITEMS: return "No more data is available.";
    case ERROR_BADDB: return "The configuration registry database is corrupt.";
    case ERROR_CANTOPEN: return "The configuration registry key could not be opened.";
    case ERROR_REGISTRY_IO_FAILED:
        return "An I/O operation initiated by the registry failed unrecoverably.";
    case ERROR_KEY_DELETED: return "Illegal operation attempted on a registry key that has been marked for deletion.";
    default: return "Registry error " + std::to_string(code) + ".";
    }
}

}
