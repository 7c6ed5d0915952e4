#include "container/exception_filter.h"

#include "container/container_settings.h"
#include "platform/runtime/fatal_signal.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/ui.h"

#include <QFile>

namespace ks::container {
namespace {

struct ExceptionName {
    std::uint32_t code;
    const char* text;
};

constexpr ExceptionName kNames[] = {
    {0x80000001, "Guard Page Violation"},   {0x80000002, "Data Type Misalignment"},
    {0x80000003, "Breakpoint"},             {0x80000004, "Single Step"},
    {0xC0000005, "Access Violation"},       {0xC0000006, "In Page Error"},
    {0xC0000008, "Invalid Handle"},         {0xC000001D, "Illegal Instruction"},
    {0xC0000025, "Non Continuable Exception"}, {0xC0000026, "Invalid Disposition"},
    {0xC000008C, "Array Bounds Exceeded"},  {0xC000008D, "Float Denormal Operand"},
    {0xC000008E, "Divide By Zero"},         {0xC000008F, "Floating Point Inexact Result"},
    {0xC0000090, "Invalid Operation"},      {0xC0000091, "Float Overflow"},
    {0xC0000092, "Float Stack Check"},      {0xC0000093, "Float Underflow"},
    {0xC0000094, "Integer Divide By Zero"}, {0xC0000095, "Integer Overflow"},
    {0xC0000096, "Privileged Instruction"}, {0xC00000FD, "Stack Overflow"},
    {0xC000013A, "Control-C Exit"},
};

}

QString GetExceptionText(std::uint32_t code)
{
    for (const ExceptionName& name : kNames)
        if (name.code == code)
            return QString::fromLatin1(name.text);
    return "Unknown (&H" + QString("%1").arg(code, 8, 16, QLatin1Char('0')).toUpper() + ")";
}

void InstallExceptionFilter()
{
    // Main may run again (the video-folder dialog's Cancel); the reporter stays the same.
    static const bool installed = [] {
        const QString self = QFile::symLinkTarget("/proc/self/exe");
        installFatalSignalHook(self.toStdString(), {self.toStdString()});
        return true;
    }();
    (void)installed;
}

void MyExceptionFilter(std::uint32_t code)
{
    ui::MsgBox("Error " + GetExceptionText(code), ui::OKOnly);
}

bool ReportFaultIfAsked()
{
    const std::optional<std::uint32_t> code = reportedFault();
    if (!code)
        return false;
    try {
        LoadSettings();   // for the title the box carries
    } catch (const RuntimeError&) {
        // The report goes out under the built-in title.
    }
    MyExceptionFilter(*code);
    return true;
}

}
