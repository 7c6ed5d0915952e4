#pragma once
// Hardware faults (a bad memory access, an illegal instruction, an arithmetic
// fault) in place of the system's unhandled-exception filter. A fault cannot
// be resumed safely, so the process ends; on its way out it starts a reporter
// program that tells the user which fault it was. Free of Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ks {

// The environment variable through which the reporter receives the code,
// eight upper-case hexadecimal digits.
inline constexpr const char* kFaultCodeVariable = "KS_FAULT_CODE";

// The system's exception code for a signal and its si_code: 0xC0000005 for a
// bad memory access, 0xC0000094 for an integer division by zero, ...
// stackOverflow marks a bad access just below the stack.
std::uint32_t exceptionCodeOf(int signal, int signalCode, bool stackOverflow = false);

// From now on a fault starts program with arguments (argv[0] included) and
// kFaultCodeVariable set, without waiting, and then ends the process with the
// signal's default action. Installing again replaces the reporter.
void installFatalSignalHook(const std::string& program, const std::vector<std::string>& arguments);

// The code this process was started with as a reporter; nothing in an ordinary start.
std::optional<std::uint32_t> reportedFault();

}
