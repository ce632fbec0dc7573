#include "app/ProgressWindow.h"

#include "i18n/Texts.h"
#include "session/Settings.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

QString ProgressCaption(int linkOperation, int language)
{
    return Text(linkOperation == 2 ? WindowText::WriteProgressCaption : WindowText::ReadProgressCaption, language);
}

QString ProgressLabelText(int language)
{
    return Text(WindowText::CompletionPercentage, language);
}

ProgressWindow::ProgressWindow(int linkOperation, int language, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmProgress"));
    setWindowTitle(ProgressCaption(linkOperation, language));
    setModal(true);
    // The transfer ends the window itself; the title bar offers no close button.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) & ~Qt::WindowCloseButtonHint &
                   ~Qt::WindowContextHelpButtonHint);
    auto* label = new QLabel(ProgressLabelText(language));
    label->setObjectName(QStringLiteral("completionLabel"));
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    percentLabel_ = new QLabel(QStringLiteral("0%"));
    percentLabel_->setObjectName(QStringLiteral("percentLabel"));
    percentLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
    percentLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(bar_, 1, 0);
    layout->addWidget(percentLabel_, 1, 1);
    setMinimumWidth(360);
}

void ProgressWindow::SetProgressValue(int percent)
{
    bar_->setValue(qBound(0, percent, 100));
}

void ProgressWindow::ShowPercent(int percent)
{
    SetProgressValue(percent);
    percentLabel_->setText(QString::number(qBound(0, percent, 100)) + QLatin1Char('%'));
}

int ProgressWindow::percent() const
{
    return bar_->value();
}

QString ProgressWindow::percentText() const
{
    return percentLabel_->text();
}

void ProgressWindow::reject()
{
    // Escape must not leave a transfer running without its window; the link ends it.
}

ProgressWindowHost::~ProgressWindowHost()
{
    delete window_.data();
}

void ProgressWindowHost::showProgress(int linkOperation)
{
    delete window_.data();
    window_ = new ProgressWindow(linkOperation, settings_.LanguageIndex, owner_);
    window_->setWindowModality(Qt::ApplicationModal);
    window_->ShowPercent(0);
    // open(), not exec(): the engine goes on from the event loop.
    window_->open();
}

void ProgressWindowHost::hideProgress()
{
    if (!window_)
        return;
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
}

bool ProgressWindowHost::isProgressVisible() const
{
    return window_ && window_->isVisible();
}

void ProgressWindowHost::setProgressValue(int percent)
{
    if (window_)
        window_->ShowPercent(percent);
}
