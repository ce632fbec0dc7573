#include "app/LanguageWindow.h"

#include "session/Settings.h"
#include "i18n/Texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

LanguageWindow::LanguageWindow(AppSettings& settings, QString settingsFile, QWidget* parent)
    : QDialog(parent), settings_(settings), settingsFile_(std::move(settingsFile))
{
    const int lang = settings_.LanguageIndex;
    setObjectName(QStringLiteral("FrmSetLanguage"));
    setWindowTitle(Text(Cap::LanguageSetup, lang));

    auto* label = new QLabel(Text(Cap::LanguageMode, lang));
    label->setObjectName(QStringLiteral("Label1"));
    Combo1_ = new QComboBox;
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    Combo1_->setEditable(false);
    Combo1_->installEventFilter(this);
    const QStringList names = LanguageNames(lang);
    Combo1_->addItem(names.value(0));
    if (settings_.SystemLanguage != kEnglish)
        Combo1_->addItem(names.value(1));
    // The current language by its own name; on an English system that shows English only.
    const QString ownName = lang == kChinese ? LanguageNames(kChinese).value(1) : LanguageNames(kEnglish).value(0);
    const int shown = Combo1_->findText(ownName);
    Combo1_->setCurrentIndex(shown >= 0 ? shown : 0);

    auto* ok = new QPushButton(Text(Cap::Ok, lang));
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Text(Cap::Cancel, lang));
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(Combo1_, 0, 1, 1, 2);
    layout->addWidget(ok, 1, 1);
    layout->addWidget(cancel, 1, 2);
}

void LanguageWindow::Command1_Click()
{
    const QStringList names = LanguageNames(settings_.LanguageIndex);
    const QString chosenName = Combo1_->currentText();
    int16_t chosen = settings_.LanguageIndex;
    if (chosenName == names.value(0))
        chosen = kEnglish;
    else if (chosenName == names.value(1))
        chosen = kChinese;
    if (chosen != settings_.LanguageIndex) {
        settings_.AppliedLanguage = settings_.LanguageIndex;
        settings_.LanguageIndex = chosen;
    }
    // A failed write leaves the language changed for this run only.
    WriteSetting(settingsFile_, QStringLiteral("CurrentLanguage"), QString::number(settings_.LanguageIndex));
    accept();
}

bool LanguageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Combo1_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
