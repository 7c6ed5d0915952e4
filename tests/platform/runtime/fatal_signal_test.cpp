#include "platform/runtime/fatal_signal.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

using namespace ks;

namespace {

struct Ending {
    int signal = 0;          // the signal that ended the child, 0 when it exited
    std::string reported;    // what the reporter received
};

std::string waitForFile(const std::string& path)
{
    for (int i = 0; i < 500; ++i) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        if (text.str().size() >= 8)
            return text.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

// Runs fault in a child process that installed the hook with a reporter that
// writes the code it was given into a file.
Ending faultInChild(void (*fault)())
{
    test::TempDir dir;
    const std::string out = dir.str() + "/code";
    const pid_t pid = fork();
    if (pid == 0) {
        installFatalSignalHook("/bin/sh", {"sh", "-c", "printf %s \"$KS_FAULT_CODE\" > '" + out + "'"});
        fault();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    Ending ending;
    ending.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    ending.reported = waitForFile(out);
    return ending;
}

volatile int g_zero = 0;
volatile int* volatile g_nowhere = nullptr;

__attribute__((no_sanitize("address", "undefined"))) void writeThroughNull() { *g_nowhere = 1; }
__attribute__((no_sanitize("undefined"))) void divideByZero() { g_zero = 7 / g_zero; }

__attribute__((noinline, no_sanitize("address", "undefined"))) int deeper(int n)
{
    volatile char frame[512];
    frame[0] = char(n);
    return g_zero == 0 ? deeper(n + 1) + frame[0] : 0;
}
void recurseForever() { g_zero = deeper(0); }

}

TEST(FatalSignals, AFaultStartsTheReporterWithItsNameAndEndsTheProcess)
{
    const Ending access = faultInChild(writeThroughNull);
    EXPECT_EQ(access.signal, SIGSEGV) << "the fault must end the process, not be resumed";
    EXPECT_EQ(access.reported, "C0000005");

    const Ending divide = faultInChild(divideByZero);
    EXPECT_EQ(divide.signal, SIGFPE);
    EXPECT_EQ(divide.reported, "C0000094");

    const Ending overflow = faultInChild(recurseForever);
    EXPECT_EQ(overflow.signal, SIGSEGV);
    EXPECT_EQ(overflow.reported, "C00000FD");

    // A fault signal sent by someone else ends the process just the same.
    const Ending sent = faultInChild([] { std::raise(SIGBUS); });
    EXPECT_EQ(sent.signal, SIGBUS);
    EXPECT_EQ(sent.reported, "C0000006");
}

TEST(FatalSignals, EverySignalAndDetailHasTheSystemsCode)
{
    EXPECT_EQ(exceptionCodeOf(SIGBUS, BUS_ADRALN), 0x80000002u);
    EXPECT_EQ(exceptionCodeOf(SIGILL, ILL_ILLOPC), 0xC000001Du);
    EXPECT_EQ(exceptionCodeOf(SIGILL, ILL_PRVOPC), 0xC0000096u);
    EXPECT_EQ(exceptionCodeOf(SIGTRAP, TRAP_BRKPT), 0x80000003u);
    EXPECT_EQ(exceptionCodeOf(SIGTRAP, TRAP_TRACE), 0x80000004u);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_INTOVF), 0xC0000095u);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_FLTDIV), 0xC000008Eu);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_FLTOVF), 0xC0000091u);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_FLTUND), 0xC0000093u);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_FLTRES), 0xC000008Fu);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_FLTINV), 0xC0000090u);
    EXPECT_EQ(exceptionCodeOf(SIGFPE, FPE_FLTSUB), 0xC000008Cu);
    EXPECT_EQ(exceptionCodeOf(SIGSEGV, SEGV_MAPERR, true), 0xC00000FDu);
}

TEST(FatalSignals, OnlyAWellFormedCodeMakesAReporter)
{
    unsetenv(kFaultCodeVariable);
    EXPECT_FALSE(reportedFault());
    setenv(kFaultCodeVariable, "C0000094", 1);
    EXPECT_EQ(reportedFault(), 0xC0000094u);
    for (const char* bad : {"", "C000009", "C0000094A", "C00000XY", "not hex!", "-0000001", "c0000094"}) {
        setenv(kFaultCodeVariable, bad, 1);
        EXPECT_FALSE(reportedFault()) << bad;
    }
    unsetenv(kFaultCodeVariable);
}
