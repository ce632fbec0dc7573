#include "editors/features/RogerBeepWindow.h"

#include "editors/features/FeatureForm.h"
#include "editors/features/RogerBeepRules.h"
#include "editors/features/TonePlayer.h"
#include "i18n/EditTexts.h"
#include "i18n/FeatureTexts.h"
#include "i18n/Texts.h"
#include "session/AppState.h"
#include "session/DocumentEvents.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
constexpr int kCaptionWindow = 29000, kCaptionTab = 29001, kCaptionRecycle = 29002, kCaptionInterTime = 29003,
              kCaptionFrequency = 29004, kCaptionLength = 29005, kCaptionPlay = 29006, kCaptionStop = 29007,
              kCaptionFirstStep = 29100;
constexpr int kStepsPerBlock = 7;

QLabel* rightAligned(const QString& text, QWidget* buddy = nullptr)
{
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}
} // namespace

RogerChart::RogerChart(const AppState& app, const int& current, QWidget* parent)
    : QWidget(parent), app_(app), current_(current)
{
    setObjectName(QStringLiteral("rogerChart"));
    setMinimumSize(360, 110);
    setAutoFillBackground(false);
}

void RogerChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (const ChartBar& bar : ChartBars(app_.Doc.Data.RogerSeq[current_], size(), kMargin))
        painter.fillRect(bar.rect, bar.odd ? Qt::red : Qt::blue);
}

RogerBeepWindow::RogerBeepWindow(AppState& app, DocumentEvents& events, TonePlayer* player, QWidget* parent)
    : QWidget(parent), app_(app), events_(events), player_(player), language_(app.Settings.LanguageIndex)
{
    player_->setParent(this);
    setWindowTitle(RogerBeepCaption(kCaptionWindow, language_));

    tabs_ = new QTabBar;
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    for (int n = 1; n <= kRogerSequences; ++n)
        tabs_->addTab(RogerBeepCaption(kCaptionTab, language_) + QLatin1Char(' ') + QString::number(n));

    const QStringList tenMs = TenMsItems();
    const QStringList frequencies = FrequencyItems(language_);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(7);
    recycle_ = new QComboBox;
    recycle_->setObjectName(QStringLiteral("Recycle"));
    recycle_->addItems(RecycleItems(language_));
    interTime_ = new QComboBox;
    interTime_->setObjectName(QStringLiteral("InterTime"));
    interTime_->addItems(tenMs);
    interTime_->setMaxVisibleItems(16);
    grid->addWidget(rightAligned(RogerBeepCaption(kCaptionRecycle, language_), recycle_), 0, 0);
    grid->addWidget(recycle_, 0, 1);
    grid->addWidget(rightAligned(RogerBeepCaption(kCaptionInterTime, language_), interTime_), 0, 4);
    grid->addWidget(interTime_, 0, 5);
    for (int block = 0; block < 2; ++block) {
        const int col = block * 4;
        auto* freqHead = new QLabel(RogerBeepCaption(kCaptionFrequency, language_));
        auto* lengthHead = new QLabel(RogerBeepCaption(kCaptionLength, language_));
        grid->addWidget(freqHead, 1, col + 1, Qt::AlignHCenter);
        grid->addWidget(lengthHead, 1, col + 2, Qt::AlignHCenter);
        for (int k = 0; k < kStepsPerBlock; ++k) {
            const int step = block * kStepsPerBlock + k + 1;
            auto* freq = new QComboBox;
            freq->setObjectName(QStringLiteral("Freq%1").arg(step));
            freq->addItems(frequencies);
            freq->setMaxVisibleItems(16);
            auto* length = new QComboBox;
            length->setObjectName(QStringLiteral("Length%1").arg(step));
            length->addItems(tenMs);
            length->setMaxVisibleItems(16);
            freq_[std::size_t(step - 1)] = freq;
            length_[std::size_t(step - 1)] = length;
            grid->addWidget(rightAligned(RogerBeepCaption(kCaptionFirstStep + step - 1, language_), freq), k + 2, col);
            grid->addWidget(freq, k + 2, col + 1);
            grid->addWidget(length, k + 2, col + 2);
            connect(freq, &QComboBox::activated, this, [this, step](int index) {
                app_.Doc.Data.RogerSeq[current_].Tone[step].Freq = FrequencyCodeOf(index);
                chart_->update();
                edited(stepName(step));
            });
            connect(length, &QComboBox::activated, this, [this, step](int index) { lengthChosen(step, index); });
        }
    }
    grid->setColumnMinimumWidth(3, 16);
    connect(recycle_, &QComboBox::activated, this, &RogerBeepWindow::recycleChosen);
    connect(interTime_, &QComboBox::activated, this, [this](int index) {
        app_.Doc.Data.RogerSeq[current_].InterTime = int16_t(index);
        edited(settingName(kCaptionInterTime));
    });

    chart_ = new RogerChart(app_, current_);
    play_ = new QPushButton(RogerBeepCaption(kCaptionPlay, language_));
    play_->setObjectName(QStringLiteral("CommandPlay"));
    stop_ = new QPushButton(RogerBeepCaption(kCaptionStop, language_));
    stop_->setObjectName(QStringLiteral("CommandStop"));
    connect(play_, &QPushButton::clicked, this, &RogerBeepWindow::play);
    connect(stop_, &QPushButton::clicked, this, &RogerBeepWindow::stop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(stop_);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chart_, 1);
    bottom->addLayout(buttons);

    notice_ = new QLabel;
    notice_->setObjectName(QStringLiteral("SoundNotice"));
    notice_->hide();
    QHBoxLayout* closeRow = NewCloseRow(this, Text(Cap::Close, language_));
    closeRow->insertWidget(0, notice_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(grid);
    layout->addLayout(bottom, 1);
    layout->addLayout(closeRow);

    connect(player_, &TonePlayer::finished, this, &RogerBeepWindow::playbackEnded);
    connect(player_, &TonePlayer::noSoundDevice, this, [this] {
        if (notice_->isHidden()) {
            notice_->setText(Text(FeatureText::NoSoundDevice, language_));
            notice_->show();
        }
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index + 1 == current_)
            return;
        current_ = index + 1;
        showSequence();
    });
    connect(&events_, &DocumentEvents::documentRestored, this, &RogerBeepWindow::reloadFromDocument);
    showSequence();
}

RogerBeepWindow::~RogerBeepWindow()
{
    // Closing the window stops the preview.
    stopRequested_ = true;
    player_->abort();
}

void RogerBeepWindow::showSequence()
{
    if (ApplyShownSequence(app_.Doc, current_))
        sequencesMayHaveChanged();
    fillSequence();
}

void RogerBeepWindow::reloadFromDocument()
{
    fillSequence();
}

void RogerBeepWindow::fillSequence()
{
    const RogerSeqEntry& seq = app_.Doc.Data.RogerSeq[current_];
    recycle_->setCurrentIndex(ItemIndexOf(seq.Recycle, kRecycleItems));
    interTime_->setCurrentIndex(ItemIndexOf(seq.InterTime, kTenMsItems));
    for (int step = 1; step <= kRogerSteps; ++step) {
        freq_[std::size_t(step - 1)]->setCurrentIndex(FrequencyItemIndex(seq.Tone[step].Freq));
        length_[std::size_t(step - 1)]->setCurrentIndex(ItemIndexOf(seq.Tone[step].Length, kTenMsItems));
    }
    chart_->update();
}

void RogerBeepWindow::recycleChosen(int index)
{
    RogerSeqEntry& seq = app_.Doc.Data.RogerSeq[current_];
    if (index == seq.Recycle)
        return;
    if (RefusesRecycle(app_.Doc.Data, current_, index)) {
        recycle_->setCurrentIndex(ItemIndexOf(seq.Recycle, kRecycleItems));
        return;
    }
    seq.Recycle = int16_t(index);
    sequencesMayHaveChanged();
    edited(settingName(kCaptionRecycle));
}

void RogerBeepWindow::lengthChosen(int step, int index)
{
    RogerTone& tone = app_.Doc.Data.RogerSeq[current_].Tone[step];
    if (index == tone.Length)
        return;
    if (RefusesLength(app_.Doc.Data, current_, step, index)) {
        length_[std::size_t(step - 1)]->setCurrentIndex(ItemIndexOf(tone.Length, kTenMsItems));
        return;
    }
    tone.Length = int16_t(index);
    chart_->update();
    sequencesMayHaveChanged();
    edited(stepName(step));
}

QString RogerBeepWindow::stepName(int step) const
{
    return StepName(EditText::RogerStep, language_, QString::number(current_), QString::number(step));
}

QString RogerBeepWindow::settingName(int caption) const
{
    return StepName(EditText::RogerSetting, language_, RogerBeepCaption(caption, language_), QString::number(current_));
}

void RogerBeepWindow::edited(const QString& step)
{
    emit events_.documentEdited(step);
}

void RogerBeepWindow::sequencesMayHaveChanged()
{
    RevalidateRogerReferences(app_.Doc);
    emit events_.rogerBeepsChanged();
}

void RogerBeepWindow::play()
{
    stopRequested_ = false;
    playback_ = RogerPlayback::start(app_.Doc.Data.RogerSeq[current_]);
    if (!playback_)
        return;
    play_->setEnabled(false);
    player_->start([this] {
        if (!playback_)
            return ToneEvent{};
        return playback_->next(app_.Doc.Data.RogerSeq[current_], stopRequested_);
    });
}

void RogerBeepWindow::stop()
{
    stopRequested_ = true;
    play_->setEnabled(true);
}

void RogerBeepWindow::playbackEnded()
{
    stopRequested_ = true;
    play_->setEnabled(true);
}
