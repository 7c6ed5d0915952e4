#include "container/frm_page_setup.h"

#include "common/dialogs.h"
#include "container/frm_print.h"
#include "platform/diagram/diagram_control.h"
#include "platform/diagram/print_preview.h"
#include "platform/printing/printers.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ks::container {

frmPageSetup::frmPageSetup() : Form("frmPageSetup")
{
    setWindowTitle("Page Setup");
    auto* layout = new QVBoxLayout(this);
    auto* texts = new QFormLayout;
    txtHeader = new QLineEdit(this);
    txtFooter = new QLineEdit(this);
    texts->addRow("Header:", txtHeader);
    texts->addRow("Footer:", txtFooter);
    layout->addLayout(texts);

    fraOrientation = new QGroupBox("Orientation:", this);
    auto* options = new QHBoxLayout(fraOrientation);
    optOri[0] = new QRadioButton("Portrait", fraOrientation);
    optOri[1] = new QRadioButton("Landscape", fraOrientation);
    options->addWidget(optOri[0]);
    options->addWidget(optOri[1]);
    layout->addWidget(fraOrientation);
    chkFit = new QCheckBox("Fit to One Page", this);
    layout->addWidget(chkFit);

    auto* buttons = new QHBoxLayout;
    cmdOK = new QPushButton("&OK", this);
    cmdCancel = new QPushButton("&Cancel", this);
    cmdOK->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    QObject::connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmPageSetup::Form_Load()
{
    const diagram::PrintPreview& preview = *form<frmPrint>().PrnFlow1;
    txtHeader->setText(preview.Header());
    txtFooter->setText(preview.Footer());
    const bool landscape = printing::CurrentPrinter().Orientation() == printing::kLandscape;
    optOri[landscape ? 1 : 0]->setChecked(true);
    chkFit->setChecked(preview.FitToPage());
    HourglassOff();
}

void frmPageSetup::cmdOK_Click()
{
    diagram::PrintPreview& preview = *form<frmPrint>().PrnFlow1;
    preview.setHeader(txtHeader->text());
    preview.setFooter(txtFooter->text());
    const int orientation = optOri[1]->isChecked() ? printing::kLandscape : printing::kPortrait;
    printing::CurrentPrinter().setOrientation(orientation);
    preview.setOrientation(orientation);
    preview.setFitToPage(chkFit->isChecked());
    Unload();
}

void frmPageSetup::cmdCancel_Click() { Unload(); }

}
