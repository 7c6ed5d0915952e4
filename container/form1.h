#pragma once
// A window that holds only a media player. Nothing in the program creates it.
#include "platform/runtime/form.h"

namespace ks {
class MediaPlayer;
}

namespace ks::container {

class Form1 : public Form {
public:
    Form1();

    MediaPlayer* WindowsMediaPlayer1 = nullptr;
};

}
