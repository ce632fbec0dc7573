#include "app/AboutWindow.h"

#include "app/Artwork.h"
#include "i18n/Texts.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString ProgramVersionText()
{
    return QStringLiteral(TRK_VERSION_TEXT);
}

AboutWindow::AboutWindow(int language, QWidget* parent) : QDialog(parent)
{
    const bool chinese = language == kChinese;
    setObjectName(chinese ? QStringLiteral("frmAboutChinese") : QStringLiteral("frmAbout"));
    setWindowTitle(chinese ? QStringLiteral("关于 TRK5120") : QStringLiteral("About TRK5120"));

    auto* layout = new QVBoxLayout(this);
    auto* icon = new QLabel;
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    auto* title = new QLabel(QStringLiteral("TRK5120"));
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* version = new QLabel(QStringLiteral("Version ") + ProgramVersionText());
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* model = new QLabel(chinese ? QStringLiteral("MH5120 写频软件") : QStringLiteral("Programming software for the MH5120"));
    model->setAlignment(Qt::AlignCenter);
    layout->addWidget(model);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(Text(Cap::Ok, language), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
