#include "container/form1.h"

#include "platform/media/media_player.h"

#include <QVBoxLayout>

namespace ks::container {

Form1::Form1() : Form("Form1")
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    WindowsMediaPlayer1 = new MediaPlayer(this);
    layout->addWidget(WindowsMediaPlayer1);
    resize(400, 300);
}

}
