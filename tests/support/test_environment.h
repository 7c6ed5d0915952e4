#pragma once
#include <cstdlib>

namespace ks::test {

// Offscreen windows, the FFmpeg media backend and the built program folder,
// unless the caller's environment says otherwise.
inline void setTestEnvironment()
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QT_MEDIA_BACKEND", "ffmpeg", 0);
    ::setenv("KS_PROGRAM_DIR", KS_TEST_PROGRAM_DIR, 0);
    ::setenv("KS_SOURCE_DIR", KS_TEST_SOURCE_DIR, 0);
}

}
