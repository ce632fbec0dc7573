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
    setWindowTitle(Text(WindowText::AboutCaption, language));

    auto* layout = new QVBoxLayout(this);
    auto* icon = new QLabel;
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    auto* title = new QLabel(Text(WindowText::ProgramTitle, language));
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* version = new QLabel(Text(WindowText::AboutVersion, language) + ProgramVersionText());
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* description = new QLabel(Text(WindowText::AboutDescription, language));
    description->setObjectName(QStringLiteral("descriptionLabel"));
    description->setAlignment(Qt::AlignCenter);
    layout->addWidget(description);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(Text(Cap::Ok, language), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
