#include "container/frm_prompt.h"

#include "container/registry_settings.h"
#include "platform/ui/failure.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace ks::container {
namespace {

bool g_clickYes = false;

}

frmPrompt::frmPrompt() : Form("frmPrompt")
{
    setWindowTitle("Startup");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    lbl = new QLabel("Would you like to open %FILE%?");
    lbl->setWordWrap(true);
    chkNotAgain = new QCheckBox("Don't show me again");
    cmdYes = new QPushButton("&Yes");
    cmdNo = new QPushButton("&No");
    cmdYes->setDefault(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(lbl, 0, 0, 1, 3);
    grid->addWidget(chkNotAgain, 1, 0);
    grid->addWidget(cmdYes, 1, 1);
    grid->addWidget(cmdNo, 1, 2);
    QObject::connect(cmdYes, &QPushButton::clicked, this, [this] { cmdYes_Click(); });
    QObject::connect(cmdNo, &QPushButton::clicked, this, [this] { cmdNo_Click(); });
}

bool frmPrompt::ClickYes() { return g_clickYes; }
void frmPrompt::setClickYes(bool yes) { g_clickYes = yes; }

void frmPrompt::Form_Load() { setClickYes(false); }

void frmPrompt::cmdYes_Click()
{
    ui::runStep("Error in frmPrompt: Sub cmdYes_Click", [&] {
        setClickYes(true);
        if (chkNotAgain->isChecked())
            SetStartupOffer(false);
        Unload();
    });
}

void frmPrompt::cmdNo_Click()
{
    ui::runStep("Error in frmPrompt: Sub cmdNo_Click", [&] {
        if (chkNotAgain->isChecked())
            SetStartupOffer(false);
        Unload();
    });
}

}
