#include "editors/channels/GroupPanel.h"

#include "i18n/ChannelTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

GroupPanel::GroupPanel(int language, QWidget* parent) : QGroupBox(parent), language_(language)
{
    setObjectName(QStringLiteral("FrameGroup"));
    auto* layout = new QFormLayout(this);
    struct RefDef {
        GroupReference ref;
        ChannelText label;
        const char* number;
        const char* name;
    };
    const RefDef defs[] = {
        {GroupReference::EmgCh1, ChannelText::EmgChx, "1", "ComboEmgCh1"},
        {GroupReference::EmgCh2, ChannelText::EmgChx, "2", "ComboEmgCh2"},
        {GroupReference::DwCh1, ChannelText::DwChx, "1", "ComboDwCh1"},
        {GroupReference::DwCh2, ChannelText::DwChx, "2", "ComboDwCh2"},
    };
    for (const RefDef& def : defs) {
        const auto at = static_cast<std::size_t>(def.ref);
        auto* combo = new QComboBox;
        combo->setObjectName(QLatin1String(def.name));
        auto* label = new QLabel(Text(def.label, language) + QLatin1String(def.number));
        label->setBuddy(combo);
        refs_[at] = combo;
        refLabels_[at] = label;
        layout->addRow(label, combo);
        const GroupReference ref = def.ref;
        connect(combo, &QComboBox::activated, this,
                [this, ref, combo](int index) { emit referencePicked(ref, combo->itemText(index)); });
    }
    valid_ = new QComboBox;
    valid_->setObjectName(QStringLiteral("ComboGroupValid"));
    valid_->addItems({Text(ChannelText::Off, language), Text(ChannelText::On, language)});
    validLabel_ = new QLabel(Text(ChannelText::GroupValid, language));
    validLabel_->setBuddy(valid_);
    layout->addRow(validLabel_, valid_);
    connect(valid_, &QComboBox::activated, this, [this](int index) { emit validPicked(index); });
}

QString GroupPanel::referenceCaption(GroupReference ref) const
{
    return refLabels_[static_cast<std::size_t>(ref)]->text();
}

void GroupPanel::setGroupTitle(const QString& letter)
{
    setTitle(Text(ChannelText::GroupLabel, language_) + QStringLiteral(" -- ") + letter);
}

void GroupPanel::setSelectorsVisible(bool visible)
{
    for (std::size_t i = 0; i < refs_.size(); ++i) {
        refs_[i]->setVisible(visible);
        refLabels_[i]->setVisible(visible);
    }
    valid_->setVisible(visible);
    validLabel_->setVisible(visible);
}

void GroupPanel::setChannelNames(const QStringList& names)
{
    for (QComboBox* combo : refs_) {
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(names);
    }
}

void GroupPanel::selectReferences(const std::array<QString, 4>& names)
{
    for (std::size_t i = 0; i < refs_.size(); ++i) {
        const QSignalBlocker block(refs_[i]);
        refs_[i]->setCurrentIndex(names[i].isEmpty() ? -1 : refs_[i]->findText(names[i]));
    }
}

void GroupPanel::selectValid(int position)
{
    const QSignalBlocker block(valid_);
    valid_->setCurrentIndex(position);
}
