#include "tests/support/clips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>

namespace ks::test {

std::string makeClip(const TempDir& dir, const std::string& name, double seconds, const std::string& picture)
{
    const std::string path = dir.str() + "/" + name;
    const std::string duration = std::to_string(seconds);
    const char joint = picture.find('=') == std::string::npos ? '=' : ':';
    const std::string cmd = "ffmpeg -loglevel error -y -f lavfi -i " + picture + joint + "duration=" + duration
                          + ":size=160x120:rate=10 -f lavfi -i sine=duration=" + duration
                          + " -c:v wmv2 -c:a wmav2 '" + path + "'";
    return std::system(cmd.c_str()) == 0 ? path : std::string();
}

bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

}
