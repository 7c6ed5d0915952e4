// The command of a desktop entry's Exec line for one file or address. The target is always
// an argument of its own: it never passes through a shell's parsing, whatever its name holds.
#include "platform/shell/desktop_entries.h"

#include <QFileInfo>

namespace ks::shell {
namespace {

struct ExecArg {
    QString text;
    bool quoted = false;   // written in double quotes, where field codes must not be used
};

// Splits an Exec line by the desktop-entry quoting rules.
std::vector<ExecArg> splitExec(const QString& exec)
{
    std::vector<ExecArg> args;
    ExecArg current;
    bool quoting = false, any = false;
    for (int i = 0; i < exec.size(); ++i) {
        QChar c = exec[i];
        if (quoting && c == '\\' && i + 1 < exec.size()) {
            current.text += exec[++i];
        } else if (c == '"') {
            quoting = !quoting;
            current.quoted = any = true;
        } else if (c.isSpace() && !quoting) {
            if (any || !current.text.isEmpty())
                args.push_back(current);
            current = {};
            any = false;
        } else {
            current.text += c;
        }
    }
    if (any || !current.text.isEmpty())
        args.push_back(current);
    return args;
}

bool isTargetCode(QChar code) { return code == 'f' || code == 'F' || code == 'u' || code == 'U'; }

// Fills the codes of one argument: "%%" is a percent sign, a target code becomes what
// target(quote state) gives, every other code (%i, %c, %k and the deprecated ones) goes.
template <class Target>
QString expand(const QString& arg, Target target)
{
    QString out;
    QChar shellQuote;   // the quote a shell script is inside of at this point: ', " or none
    for (int i = 0; i < arg.size(); ++i) {
        const QChar c = arg[i];
        if (c != '%' || i + 1 == arg.size()) {
            if ((c == '\'' || c == '"') && (shellQuote.isNull() || shellQuote == c))
                shellQuote = shellQuote.isNull() ? c : QChar();
            out += c;
            continue;
        }
        const QChar code = arg[++i];
        if (code == '%')
            out += '%';
        else if (isTargetCode(code))
            out += target(shellQuote);
    }
    return out;
}

// The script of "sh -c script", "bash -lc script", "env sh -c script", ...
bool isShellScript(const std::vector<ExecArg>& args, std::size_t at)
{
    static const QStringList shells{"sh", "bash", "dash", "zsh", "ksh", "mksh", "ash", "busybox"};
    if (at < 2)
        return false;
    const QString& option = args[at - 1].text;
    if (!(option.size() >= 2 && option.startsWith('-') && !option.startsWith("--") && option.endsWith('c')))
        return false;
    for (std::size_t i = 0; i + 1 < at; ++i)
        if (shells.contains(QFileInfo(args[i].text).fileName()))
            return true;
    return false;
}

// The script names the target by its first positional parameter, quoted as fits where it stands.
QString positionalParameter(QChar shellQuote)
{
    if (shellQuote == '"')
        return "$1";
    if (shellQuote == '\'')
        return "'\"$1\"'";
    return "\"$1\"";
}

}

QStringList DesktopEntries::commandFor(const QString& exec, const QString& target)
{
    // A file name starting with "-" would be read as an option.
    const QString given = target.startsWith('-') ? "./" + target : target;
    const std::vector<ExecArg> args = splitExec(exec);
    QStringList command;
    bool placed = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const QString& text = args[i].text;
        if (text.size() == 2 && text[0] == '%') {
            // A code standing alone is the target as its own argument, or nothing.
            if (isTargetCode(text[1])) {
                command << given;
                placed = true;
            } else if (text[1] == '%') {
                command << "%";
            }
            continue;
        }
        bool used = false;
        if (isShellScript(args, i)) {
            command << expand(text, [&](QChar quote) { used = true; return positionalParameter(quote); });
            if (used)
                command << QFileInfo(args[0].text).fileName() << given;   // $0, then $1
            placed = placed || used;
            continue;
        }
        const QString filled = expand(text, [&](QChar) { used = true; return given; });
        // The entry's own quoting is no quoting for the target: refuse rather than guess.
        if (used && args[i].quoted)
            return {};
        placed = placed || used;
        command << filled;
    }
    if (!placed && !command.isEmpty())
        command << given;
    return command;
}

}
