#include "platform/runtime/fatal_signal.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

extern char** environ;

namespace ks {
namespace {

constexpr std::uint32_t kAccessViolation = 0xC0000005;
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP};

// Everything the handler touches is prepared at install time: it may only
// call functions that are safe inside a signal handler.
struct Reporter {
    std::string program;
    std::vector<std::string> arguments, environment;
    std::vector<char*> argv, envp;
    char* codeDigits = nullptr;   // the 8 digits inside environment's last entry
    std::uintptr_t stackLow = 0;  // lowest address of the main stack, 0 unknown
};

Reporter* g_reporter = nullptr;
alignas(16) std::array<char, 64 * 1024> g_alternateStack;

std::vector<char*> pointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::uintptr_t mainStackLow()
{
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return 0;
    void* low = nullptr;
    size_t size = 0;
    pthread_attr_getstack(&attr, &low, &size);
    pthread_attr_destroy(&attr);
    return reinterpret_cast<std::uintptr_t>(low);
}

// A bad access in the guard area just below the stack is the stack running out.
bool belowStack(const void* address, std::uintptr_t stackLow)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    constexpr std::uintptr_t kGuard = 1u << 20, kSlack = 64u << 10;
    return stackLow != 0 && at + kGuard >= stackLow && at < stackLow + kSlack;
}

void writeHex(std::uint32_t code, char* digits)
{
    for (int i = 7; i >= 0; --i, code >>= 4)
        digits[i] = "0123456789ABCDEF"[code & 0xF];
}

void onFault(int signal, siginfo_t* info, void*)
{
    // SA_RESETHAND gave the signal its default action back on entry.
    if (Reporter* r = g_reporter) {
        const bool overflow = signal == SIGSEGV && belowStack(info->si_addr, r->stackLow);
        writeHex(exceptionCodeOf(signal, info->si_code, overflow), r->codeDigits);
        if (_Fork() == 0) {
            execve(r->program.c_str(), r->argv.data(), r->envp.data());
            _exit(127);
        }
    }
    // A fault comes back when the instruction is run again and now ends the
    // process; a signal that was sent is sent once more.
    if (info->si_code <= 0)
        raise(signal);
}

}

std::uint32_t exceptionCodeOf(int signal, int signalCode, bool stackOverflow)
{
    switch (signal) {
    case SIGSEGV:
        return stackOverflow ? 0xC00000FD : kAccessViolation;
    case SIGBUS:
        return signalCode == BUS_ADRALN ? 0x80000002 : 0xC0000006;
    case SIGILL:
        return signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG ? 0xC0000096 : 0xC000001D;
    case SIGTRAP:
        return signalCode == TRAP_TRACE ? 0x80000004 : 0x80000003;
    case SIGFPE:
        switch (signalCode) {
        case FPE_INTDIV: return 0xC0000094;
        case FPE_INTOVF: return 0xC0000095;
        case FPE_FLTDIV: return 0xC000008E;
        case FPE_FLTOVF: return 0xC0000091;
        case FPE_FLTUND: return 0xC0000093;
        case FPE_FLTRES: return 0xC000008F;
        case FPE_FLTSUB: return 0xC000008C;
        default: return 0xC0000090;
        }
    default:
        return kAccessViolation;
    }
}

void installFatalSignalHook(const std::string& program, const std::vector<std::string>& arguments)
{
    // Earlier reporters are kept: a handler may be reading one right now.
    static std::vector<std::unique_ptr<Reporter>> reporters;
    reporters.push_back(std::make_unique<Reporter>());
    Reporter* r = reporters.back().get();
    r->program = program;
    r->arguments = arguments.empty() ? std::vector<std::string>{program} : arguments;
    const std::string prefix = std::string(kFaultCodeVariable) + "=";
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, prefix.c_str(), prefix.size()) != 0)
            r->environment.emplace_back(*e);
    r->environment.push_back(prefix + "00000000");
    r->argv = pointersTo(r->arguments);
    r->envp = pointersTo(r->environment);
    r->codeDigits = r->environment.back().data() + prefix.size();
    r->stackLow = mainStackLow();
    g_reporter = r;

    stack_t alternate{};
    alternate.ss_sp = g_alternateStack.data();
    alternate.ss_size = g_alternateStack.size();
    sigaltstack(&alternate, nullptr);

    struct sigaction action{};
    action.sa_sigaction = onFault;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kFaultSignals)
        sigaction(signal, &action, nullptr);
}

std::optional<std::uint32_t> reportedFault()
{
    const char* text = std::getenv(kFaultCodeVariable);
    if (!text || std::strlen(text) != 8)
        return std::nullopt;
    std::uint32_t code = 0;
    for (const char* c = text; *c; ++c) {
        const char* digit = std::strchr("0123456789ABCDEF", *c);
        if (!digit || !*c)
            return std::nullopt;
        code = code << 4 | std::uint32_t(digit - "0123456789ABCDEF");
    }
    return code;
}

}
