#include "container/frm_about.h"

#include "common/paths.h"
#include "container/container_settings.h"
#include "container/etched_lines.h"
#include "container/frm_pics.h"
#include "platform/registry/registry_api.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/shell/shell.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <cstring>

namespace ks::container {
namespace {

using namespace ks::registry;

QLabel* wrapped(const QString& text = {})
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

ucEctchedLines* lyingRule()
{
    auto* rule = new ucEctchedLines;
    rule->setVertical(false);
    rule->setFixedHeight(3);
    return rule;
}

// The text of a value as the registry keeps it: a string up to its terminator, a number in decimal.
QString valueText(DWORD type, const std::uint8_t* data, DWORD size, const QString& otherwise)
{
    if (type == REG_SZ) {
        const auto* text = reinterpret_cast<const char*>(data);
        return QString::fromUtf8(text, qsizetype(strnlen(text, size)));
    }
    if (type == REG_DWORD && size >= 4) {
        std::uint32_t number = 0;
        std::memcpy(&number, data, 4);
        return QString::number(number);
    }
    return otherwise;
}

}

frmAbout::frmAbout() : Form("frmAbout")
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    picIcon = new QLabel;
    picIcon->setFixedSize(64, 64);
    lblTitle = new QLabel;
    QFont big = lblTitle->font();
    big.setPointSize(14);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel;
    lblDescription = wrapped();
    lblDisclaimer = wrapped();
    cmdOK = new QPushButton("OK");
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton("&System Info...");

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblDescription, 2, 1, 1, 2);
    grid->addWidget(lyingRule(), 3, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 4, 0, 1, 2);
    grid->addWidget(cmdOK, 4, 2, Qt::AlignTop);
    grid->addWidget(lyingRule(), 5, 0, 1, 3);
    grid->addWidget(cmdSysInfo, 6, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(420);
    QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    QObject::connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load()
{
    try {
        setWindowTitle("About - " + App::title());
        lblVersion->setText(QString("Version %1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
        lblTitle->setText(App::title());
        lblDescription->setText(settings().appDescription);
        lblDisclaimer->setText(App::legalCopyright());
        const QIcon icon = form<frmPics>().windowIcon();
        picIcon->setPixmap(icon.pixmap(64, 64));
        setWindowIcon(icon);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmAbout: Sub Form_Load");
    }
}

void frmAbout::cmdOK_Click()
{
    ui::runStep("Error in frmAbout: Sub cmdOK_Click", [&] { Unload(); });
}

void frmAbout::cmdSysInfo_Click()
{
    ui::runStep("Error in frmAbout: Sub cmdSysInfo_Click", [&] { StartSysInfo(); });
}

void frmAbout::StartSysInfo()
{
    try {
        QString program;
        if (!GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", program)) {
            QString folder;
            if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)
                && FileExists(folder + "/MSINFO32.EXE"))
                program = folder + "/MSINFO32.EXE";
        }
        if (!program.isEmpty() && shell::shell().startProgram(program))
            return;
    } catch (const RuntimeError&) {
        // Every failure ends in the same message.
    }
    ui::MsgBox("System Information Is Unavailable At This Time", ui::OKOnly);
}

bool GetKeyValue(HKEY root, const QString& keyName, const QString& valueName, QString& text)
{
    try {
        HKEY key = 0;
        // For reading: a key the user may read but not change is read all the same.
        if (RegOpenKeyEx(root, keyName.toStdString(), KEY_READ, &key) != ERROR_SUCCESS) {
            text.clear();
            return false;
        }
        std::array<std::uint8_t, 1024> data{};
        DWORD type = 0, size = DWORD(data.size());
        const LONG read = RegQueryValueEx(key, valueName.toStdString(), &type, data.data(), &size);
        RegCloseKey(key);
        if (read != ERROR_SUCCESS) {
            text.clear();
            return false;
        }
        text = valueText(type, data.data(), size, text);
        return true;
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmAbout: Function GetKeyValue");
        return false;
    }
}

}
