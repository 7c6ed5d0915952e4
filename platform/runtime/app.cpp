#include "platform/runtime/app.h"

#include <QCoreApplication>
#include <QDir>

namespace ks {
namespace {

struct AppState {
    QString path;
    QString exeName;
    QString title;
    int major = 1, minor = 0, revision = 0;
    QString fileDescription, legalCopyright, comments;
};

AppState& state()
{
    static AppState s;
    return s;
}

}

QString App::path()
{
    auto& s = state();
    if (s.path.isEmpty()) {
        const QString fromEnv = qEnvironmentVariable("KS_PROGRAM_DIR");
        s.path = !fromEnv.isEmpty() ? fromEnv
               : QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                              : QDir::currentPath();
        while (s.path.size() > 1 && s.path.endsWith('/'))
            s.path.chop(1);
    }
    return s.path;
}

void App::setPath(const QString& folder)
{
    QString p = folder;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    state().path = p;
}

QString App::exeName()
{
    auto& s = state();
    if (s.exeName.isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationName();
    return s.exeName;
}

void App::setExeName(const QString& name)
{
    state().exeName = name;
    if (QCoreApplication::instance())
        QCoreApplication::setApplicationName(name);
}

QString App::title() { return state().title; }
void App::setTitle(const QString& title) { state().title = title; }

int App::major() { return state().major; }
int App::minor() { return state().minor; }
int App::revision() { return state().revision; }

void App::setVersion(int major, int minor, int revision)
{
    auto& s = state();
    s.major = major;
    s.minor = minor;
    s.revision = revision;
}

QString App::fileDescription() { return state().fileDescription; }
QString App::legalCopyright() { return state().legalCopyright; }
QString App::comments() { return state().comments; }

void App::setDescriptions(const QString& fileDescription, const QString& legalCopyright,
                          const QString& comments)
{
    auto& s = state();
    s.fileDescription = fileDescription;
    s.legalCopyright = legalCopyright;
    s.comments = comments;
}

}
