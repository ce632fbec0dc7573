#include "editors/features/OptionFeaturesWindow.h"

#include "document/DataRecord.h"
#include "editors/features/FeatureForm.h"
#include "editors/features/OptionFeatureRules.h"
#include "i18n/EditTexts.h"
#include "i18n/FeatureTexts.h"
#include "i18n/Texts.h"
#include "session/AppState.h"
#include "session/DocumentEvents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kTxOffsetLength = 6;
constexpr int kRssiLength = 2;

const char* const kRssiLabels[] = {"1", "3", "5", "7", "9", "+30"};
const char* const kModeEnableNames[] = {"ModeEnable0", "ModeEnable1", "ModeEnable2", "ModeEnable3", "ModeEnable4"};
const FeatureText kModeEnableCaptions[] = {FeatureText::FmEnable, FeatureText::AmEnable, FeatureText::UsbEnable,
                                           FeatureText::LsbEnable, FeatureText::PaEnable};
} // namespace

OptionFeaturesWindow::OptionFeaturesWindow(AppState& app, DocumentEvents& events, QWidget* parent)
    : QWidget(parent), app_(app), events_(events), language_(app.Settings.LanguageIndex)
{
    setWindowTitle(Text(FeatureText::OptFeaturesCaption, language_));
    LimitClarifiers(app_.Doc.Data.Opt);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildLeftColumn(), 0, Qt::AlignTop);
    columns->addWidget(buildRightColumn(), 0, Qt::AlignTop);
    QHBoxLayout* buttons = NewCloseRow(this, Text(Cap::Close, language_));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    showValues();
    connect(&events_, &DocumentEvents::dtmfCodesChanged, this, &OptionFeaturesWindow::ShowDTMF);
    connect(&events_, &DocumentEvents::rogerBeepsChanged, this, &OptionFeaturesWindow::ShowRB);
    connect(&events_, &DocumentEvents::documentRestored, this, &OptionFeaturesWindow::reloadFromDocument);
    loaded_ = true;
}

OptionFeaturesWindow::~OptionFeaturesWindow()
{
    // Closing stores nothing: the fields must not react to the focus they lose while going.
    for (auto* guard : findChildren<TextFieldGuard*>())
        delete guard;
}

QComboBox* OptionFeaturesWindow::addSelector(int id, const char* name)
{
    QComboBox* combo = NewSelector(QLatin1String(name));
    selectors_[id] = combo;
    combo->addItems(OptSelectorItems(id, app_.Doc.Data, language_));
    connect(combo, &QComboBox::activated, this, [this, id] { selectionMade(id); });
    return combo;
}

QCheckBox* OptionFeaturesWindow::addCheck(int id, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    checks_[id] = box;
    stepNames_[id] = caption;
    if (id >= OptId::FmEnable && id <= OptId::PaEnable)
        connect(box, &QCheckBox::clicked, this, [this, id](bool on) { modeEnableClicked(id - OptId::FmEnable, on); });
    else
        connect(box, &QCheckBox::clicked, this, [this, id](bool on) {
            if (!loaded_)
                return;
            SaveOptFeat(app_.Doc.Data, id, on ? 1 : 0, QString());
            edited(stepNames_.at(id));
        });
    return box;
}

QLineEdit* OptionFeaturesWindow::addTextField(const QString& name, int maxLength, bool digitsOnly,
                                              std::function<void()> onLeave)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setAlignment(Qt::AlignRight);
    new TextFieldGuard(edit, digitsOnly ? TextFieldGuard::Filter(DigitsOnly) : TextFieldGuard::Filter(DigitsAndPoint),
                       std::move(onLeave));
    return edit;
}

namespace {
QLabel* buddyLabel(const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}
} // namespace

QWidget* OptionFeaturesWindow::buildLeftColumn()
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QFormLayout* form = NewCaptionForm();
    const std::pair<int, std::pair<const char*, FeatureText>> rows[] = {
        {OptId::Tot, {"TotTime", FeatureText::Tot}},
        {OptId::TxDisplay, {"TxDisplay", FeatureText::Indic}},
        {OptId::Mic, {"MicLevel", FeatureText::Mic}},
        {OptId::AsqLevel, {"AsqLevel", FeatureText::AsqLevel}},
        {OptId::Nog, {"Nog", FeatureText::Nog}},
        {OptId::Color, {"BacklightColor", FeatureText::Color}},
        {OptId::ScanMode, {"ScanMode", FeatureText::Scm}},
        {OptId::Fin, {"Fin", FeatureText::Fin}},
        {OptId::FreqCh, {"FreqChMode", FeatureText::FreqCh}},
    };
    for (const auto& [id, def] : rows) {
        QComboBox* combo = addSelector(id, def.first);
        form->addRow(buddyLabel(Text(def.second, language_), combo), combo);
        stepNames_[id] = Text(def.second, language_);
    }
    txOffset_ = addTextField(QStringLiteral("TxOffset"), kTxOffsetLength, false, [this] { leaveTxOffset(); });
    auto* offsetRow = new QHBoxLayout;
    offsetRow->addWidget(txOffset_);
    offsetRow->addWidget(new QLabel(Text(FeatureText::MHz, language_)));
    form->addRow(buddyLabel(Text(FeatureText::TxOffset, language_), txOffset_), offsetRow);
    layout->addLayout(form);
    layout->addWidget(buildRssiGroup(Text(FeatureText::RssiFmAm, language_), 0));
    layout->addWidget(buildRssiGroup(Text(FeatureText::RssiUsbLsb, language_), 6));
    return column;
}

QWidget* OptionFeaturesWindow::buildRssiGroup(const QString& title, int first)
{
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    for (int k = 0; k < 6; ++k) {
        const int field = first + k;
        QLineEdit* edit = addTextField(QStringLiteral("RssiLevel%1").arg(field), kRssiLength, true,
                                       [this, field] { leaveRssi(field); });
        edit->setMaximumWidth(40);
        rssi_[std::size_t(field)] = edit;
        auto* label = buddyLabel(QLatin1String(kRssiLabels[k]), edit);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, k);
        grid->addWidget(edit, 1, k);
    }
    return group;
}

QWidget* OptionFeaturesWindow::buildRightColumn()
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QFormLayout* form = NewCaptionForm();
    form->addRow(addCheck(OptId::Beep, "Beep", Text(FeatureText::Beep, language_)));
    form->addRow(addCheck(OptId::SwrProtect, "SwrProtect", Text(FeatureText::SwrProtect, language_)));
    swrMax_ = addTextField(QStringLiteral("SwrMax"), 0, false, [this] { leaveSwrMax(); });
    form->addRow(buddyLabel(Text(FeatureText::SwrMax, language_), swrMax_), swrMax_);
    form->addRow(addCheck(OptId::VoltProtect, "VoltProtect", Text(FeatureText::VoltProtect, language_)));
    voltMin_ = addTextField(QStringLiteral("VoltMin"), 0, false, [this] { leaveVolt(true); });
    form->addRow(buddyLabel(Text(FeatureText::VoltMin, language_), voltMin_), voltMin_);
    voltMax_ = addTextField(QStringLiteral("VoltMax"), 0, false, [this] { leaveVolt(false); });
    form->addRow(buddyLabel(Text(FeatureText::VoltMax, language_), voltMax_), voltMax_);
    layout->addLayout(form);

    auto* pub = new QGroupBox(Text(FeatureText::Public, language_));
    pub->setObjectName(QStringLiteral("Public"));
    QFormLayout* pubForm = NewCaptionForm();
    const std::pair<int, std::pair<const char*, FeatureText>> rows[] = {
        {OptId::PubBot, {"PubBot", FeatureText::Bot}},          {OptId::PubEot, {"PubEot", FeatureText::Eot}},
        {OptId::PubCall, {"PubCall", FeatureText::Call}},       {OptId::PubHiCut, {"PubHiCut", FeatureText::HiCut}},
        {OptId::PubNbAnl, {"PubNbAnl", FeatureText::NbAnl}},    {OptId::PubEcho, {"PubEcho", FeatureText::Echo}},
        {OptId::PubAdd10k, {"PubAdd10k", FeatureText::Add10k}}, {OptId::PubRoger, {"PubRoger", FeatureText::Roger}},
        {OptId::PubMode, {"PubMode", FeatureText::Mode}},
    };
    for (const auto& [id, def] : rows) {
        QComboBox* combo = addSelector(id, def.first);
        pubForm->addRow(buddyLabel(Text(def.second, language_), combo), combo);
        stepNames_[id] =
            StepName(EditText::FieldOf, language_, Text(def.second, language_), Text(FeatureText::Public, language_));
    }
    pub->setLayout(pubForm);
    layout->addWidget(pub);

    auto* modes = new QGroupBox(Text(FeatureText::ModeEnable, language_));
    modes->setObjectName(QStringLiteral("ModeEnableGroup"));
    // Two boxes a row keep the window within a small main window.
    auto* modeLayout = new QGridLayout(modes);
    for (int m = 0; m <= 4; ++m)
        modeLayout->addWidget(
            addCheck(OptId::FmEnable + m, kModeEnableNames[m], Text(kModeEnableCaptions[m], language_)), m / 2, m % 2);
    layout->addWidget(modes);
    return column;
}

void OptionFeaturesWindow::showValues()
{
    const DataRecord& data = app_.Doc.Data;
    for (auto& [id, combo] : selectors_) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        combo->setCurrentIndex(OptShownIndex(id, data, items));
    }
    for (auto& [id, box] : checks_) {
        const int16_t* field = OptFeatField(std::as_const(app_.Doc.Data), id);
        // Any value but 0 shows checked.
        box->setChecked(field && *field != 0);
    }
    swrMax_->setText(SwrMaxText(data.Opt.SwrMax));
    voltMin_->setText(VoltText(data.Opt.VoltMin));
    voltMax_->setText(VoltText(data.Opt.VoltMax));
    txOffset_->setText(TxOffsetText(data.TxOffset));
    for (int i = 0; i < 12; ++i)
        rssi_[std::size_t(i)]->setText(QString::number(data.RssiLevel[i] + 1));
}

void OptionFeaturesWindow::selectionMade(int id)
{
    if (!loaded_)
        return;
    QComboBox* combo = selectors_.at(id);
    SaveOptFeat(app_.Doc.Data, id, combo->currentIndex(), combo->currentText());
    edited(stepNames_.at(id));
}

void OptionFeaturesWindow::rebuildSelector(int id)
{
    QComboBox* combo = selectors_.at(id);
    combo->clear();
    combo->addItems(OptSelectorItems(id, app_.Doc.Data, language_));
}

void OptionFeaturesWindow::modeEnableClicked(int mode, bool checked)
{
    if (!loaded_)
        return;
    QCheckBox* box = checks_.at(OptId::FmEnable + mode);
    const bool stays = ApplyModeEnable(app_.Doc, mode, checked);
    if (stays != checked)
        box->setChecked(stays);
    QComboBox* pubMode = selectors_.at(OptId::PubMode);
    const QString remembered = pubMode->currentText();
    rebuildSelector(OptId::PubMode);
    QStringList items;
    for (int i = 0; i < pubMode->count(); ++i)
        items << pubMode->itemText(i);
    pubMode->setCurrentIndex(ReselectPublicMode(app_.Doc.Data, items, remembered));
    // The channel window puts its shown channel on an enabled mode: the same step.
    emit events_.enabledModesChanged();
    edited(stepNames_.at(OptId::FmEnable + mode));
}

void OptionFeaturesWindow::ShowDTMF()
{
    for (int id : {OptId::PubBot, OptId::PubEot, OptId::PubCall}) {
        QComboBox* combo = selectors_.at(id);
        const QString remembered = combo->currentText();
        rebuildSelector(id);
        combo->setCurrentIndex(std::max(0, combo->findText(remembered)));
    }
}

void OptionFeaturesWindow::ShowRB()
{
    rebuildSelector(OptId::PubRoger);
    QComboBox* combo = selectors_.at(OptId::PubRoger);
    combo->setCurrentIndex(std::max(0, combo->findText(QString::number(app_.Doc.Data.Opt.PubRoger))));
}

void OptionFeaturesWindow::commitPendingEdits()
{
    QWidget* focused = focusWidget();
    if (focused == swrMax_)
        leaveSwrMax();
    else if (focused == voltMin_)
        leaveVolt(true);
    else if (focused == voltMax_)
        leaveVolt(false);
}

void OptionFeaturesWindow::leaveSwrMax()
{
    const SwrMaxResult r = LeaveSwrMax(swrMax_->text());
    swrMax_->setText(r.text);
    app_.Doc.Data.Opt.SwrMax = r.swrMax;
    edited(StepName(EditText::FieldOf, language_, Text(FeatureText::SwrMax, language_),
                    Text(FeatureText::SwrProtect, language_)));
}

void OptionFeaturesWindow::leaveVolt(bool leftMin)
{
    const VoltResult r = LeaveVolt(voltMin_->text(), voltMax_->text(), leftMin);
    voltMin_->setText(r.minText);
    voltMax_->setText(r.maxText);
    app_.Doc.Data.Opt.VoltMin = r.voltMin;
    app_.Doc.Data.Opt.VoltMax = r.voltMax;
    const FeatureText field = leftMin ? FeatureText::VoltMin : FeatureText::VoltMax;
    edited(StepName(EditText::FieldOf, language_, Text(field, language_), Text(FeatureText::VoltProtect, language_)));
}

void OptionFeaturesWindow::leaveTxOffset()
{
    const TxOffsetResult r = LeaveTxOffset(txOffset_->text());
    txOffset_->setText(r.text);
    app_.Doc.Data.TxOffset = r.txOffset;
    edited(Text(FeatureText::TxOffset, language_));
}

void OptionFeaturesWindow::leaveRssi(int field)
{
    QLineEdit* edit = rssi_[std::size_t(field)];
    edit->setText(LeaveRssi(app_.Doc.Data, field, edit->text()));
    edited(Text(field < 6 ? FeatureText::RssiFmAm : FeatureText::RssiUsbLsb, language_) + QLatin1Char(' ') +
           QLatin1String(kRssiLabels[field % 6]));
}

void OptionFeaturesWindow::edited(const QString& step)
{
    emit events_.documentEdited(step);
}

void OptionFeaturesWindow::reloadFromDocument()
{
    // The lists that depend on the document (codes, sequences, modes) are built anew first.
    loaded_ = false;
    for (const auto& [id, combo] : selectors_)
        rebuildSelector(id);
    showValues();
    loaded_ = true;
}
