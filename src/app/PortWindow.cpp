#include "app/PortWindow.h"

#include "i18n/Texts.h"
#include "link/PortDirectory.h"
#include "session/Settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int kRefreshMs = 1000;
}

PortWindow::PortWindow(AppSettings& settings, QString settingsFile, std::function<QStringList()> listPorts,
                       QWidget* parent)
    : QDialog(parent), settings_(settings), settingsFile_(std::move(settingsFile)), listPorts_(std::move(listPorts))
{
    const int lang = settings_.LanguageIndex;
    setObjectName(QStringLiteral("FrmComSet"));
    setWindowTitle(Text(Cap::CommPort, lang));
    auto* label = new QLabel(Text(Cap::Com, lang));
    label->setObjectName(QStringLiteral("portLabel"));
    portList_ = new QComboBox;
    portList_->setObjectName(QStringLiteral("portList"));
    portList_->setEditable(false);
    portList_->setMinimumContentsLength(8);
    auto* ok = new QPushButton(Text(Cap::Ok, lang));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Text(Cap::Cancel, lang));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(portList_, 0, 1, 1, 2);
    layout->addWidget(ok, 1, 1);
    layout->addWidget(cancel, 1, 2);

    fillList();
    if (portList_->count() == 0 || PortNumberOf(portList_->itemText(0)) < 1) {
        portList_->setCurrentIndex(-1);
        windowPort_ = 0;
    } else {
        selectPort(settings_.comPort);
        takePortFromSelection();
    }
    connect(portList_, &QComboBox::activated, this, [this] { takePortFromSelection(); });
    connect(ok, &QPushButton::clicked, this, [this] { acceptPort(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ReShowComPortTimer_ = new QTimer(this);
    ReShowComPortTimer_->setObjectName(QStringLiteral("ReShowComPortTimer"));
    ReShowComPortTimer_->setInterval(kRefreshMs);
    connect(ReShowComPortTimer_, &QTimer::timeout, this, &PortWindow::refreshPorts);
    ReShowComPortTimer_->start();
}

void PortWindow::fillList()
{
    portList_->clear();
    if (listPorts_)
        portList_->addItems(listPorts_());
}

void PortWindow::selectPort(int port)
{
    if (portList_->count() == 0) {
        portList_->setCurrentIndex(-1);
        return;
    }
    const int found = portList_->findText(QStringLiteral("COM") + QString::number(port));
    portList_->setCurrentIndex(found >= 0 ? found : 0);
}

void PortWindow::takePortFromSelection()
{
    if (portList_->currentIndex() < 0) {
        windowPort_ = 0;
        return;
    }
    windowPort_ = PortNumberOf(portList_->currentText());
}

void PortWindow::refreshPorts()
{
    const int wanted = windowPort_;
    fillList();
    selectPort(wanted);
    takePortFromSelection();
}

void PortWindow::acceptPort()
{
    ReShowComPortTimer_->stop();
    if (portList_->currentIndex() < 0) {
        settings_.comPort = 0;
        accept();
        return;
    }
    if (const int port = PortNumberOf(portList_->currentText()); port > 0) {
        settings_.comPort = static_cast<int16_t>(port);
        WriteSetting(settingsFile_, QStringLiteral("comPort"), QString::number(settings_.comPort));
    }
    accept();
}
