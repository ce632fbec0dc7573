#include "app/LanguageWindow.h"

#include "i18n/Texts.h"
#include "session/Settings.h"

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
    label->setObjectName(QStringLiteral("languageModeLabel"));
    languageList_ = new QComboBox;
    languageList_->setObjectName(QStringLiteral("languageList"));
    languageList_->setEditable(false);
    languageList_->installEventFilter(this);
    const QStringList names = LanguageNames(lang);
    languageList_->addItem(names.value(0));
    // Chinese is offered on a Chinese system, and always while it is the interface's
    // language: a list without it would show English as the choice and OK would switch
    // the interface to English although the user changed nothing.
    if (settings_.SystemLanguage != kEnglish || lang == kChinese)
        languageList_->addItem(names.value(1));
    // The current language is the one shown as chosen.
    languageList_->setCurrentIndex(lang == kChinese ? 1 : 0);

    auto* ok = new QPushButton(Text(Cap::Ok, lang));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Text(Cap::Cancel, lang));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, [this] { acceptLanguage(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(languageList_, 0, 1, 1, 2);
    layout->addWidget(ok, 1, 1);
    layout->addWidget(cancel, 1, 2);
}

void LanguageWindow::acceptLanguage()
{
    const QStringList names = LanguageNames(settings_.LanguageIndex);
    const QString chosenName = languageList_->currentText();
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
    if (watched == languageList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
