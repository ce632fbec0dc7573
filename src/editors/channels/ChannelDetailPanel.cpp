#include "editors/channels/ChannelDetailPanel.h"

#include "document/Conversions.h"
#include "i18n/ChannelTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

struct FieldDef {
    DetailField field;
    const char* name;
};
// Display order, which is also the keyboard order.
constexpr FieldDef kFields[kDetailFieldCount] = {
    {DetailField::Tsq, "ComboTsq"},     {DetailField::HiCut, "ComboHiCut"},   {DetailField::NbAnl, "ComboNbAnl"},
    {DetailField::Echo, "ComboEcho"},   {DetailField::Add10k, "ComboAdd10k"}, {DetailField::Busy, "ComboBusy"},
    {DetailField::Rep, "ComboRep"},     {DetailField::Public, "ComboPublic"}, {DetailField::Scan, "ComboScan"},
    {DetailField::Roger, "ComboRoger"}, {DetailField::Mode, "ComboMode"},     {DetailField::Bot, "ComboBot"},
    {DetailField::Eot, "ComboEot"},     {DetailField::Call, "ComboCall"},
};

} // namespace

ChannelDetailPanel::ChannelDetailPanel(int language, QWidget* parent) : QGroupBox(parent), language_(language)
{
    setObjectName(QStringLiteral("FrameChInfo"));
    auto* layout = new QGridLayout(this);
    const int rows = (kDetailFieldCount + 1) / 2;
    for (int i = 0; i < kDetailFieldCount; ++i) {
        const FieldDef& def = kFields[i];
        const auto at = static_cast<std::size_t>(def.field);
        auto* combo = new QComboBox;
        combo->setObjectName(QLatin1String(def.name));
        auto* label = new QLabel(Text(DetailCaption(def.field), language));
        label->setBuddy(combo);
        combos_[at] = combo;
        labels_[at] = label;
        // Two columns of pairs, filled top to bottom so Tab walks down the first column first.
        const int row = i % rows;
        const int col = (i / rows) * 2;
        layout->addWidget(label, row, col);
        layout->addWidget(combo, row, col + 1);
        const DetailField field = def.field;
        connect(combo, &QComboBox::activated, this,
                [this, field, combo](int index) { emit picked(field, index, combo->itemText(index)); });
    }
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);

    // Mode and the numbered lists are filled per channel and from the document's lists.
    for (const FieldDef& def : kFields) {
        const QStringList entries = FixedListEntries(def.field, language);
        if (!entries.isEmpty())
            setList(def.field, entries);
    }
}

void ChannelDetailPanel::setList(DetailField field, const QStringList& entries)
{
    QComboBox* combo = selector(field);
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(entries);
}

QString ChannelDetailPanel::shownText(DetailField field) const
{
    return selector(field)->currentText();
}

QString ChannelDetailPanel::caption(DetailField field) const
{
    return labels_[static_cast<std::size_t>(field)]->text();
}

void ChannelDetailPanel::showChannel(const ChannelRecord& ch, const QStringList& modes)
{
    setTitle(Text(ChannelText::DetailTitle, language_) + GetCHName(ch.ChId));
    ChannelRecord copy = ch;
    for (const FieldDef& def : kFields) {
        QComboBox* combo = selector(def.field);
        const QSignalBlocker block(combo);
        const int16_t value = DetailValue(copy, def.field);
        if (def.field == DetailField::Mode) {
            setModeList(modes, ModeName(value));
            continue;
        }
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        const int position =
            IsNumberedList(def.field) ? NumberedListPosition(entries, value) : FixedListPosition(value, combo->count());
        combo->setCurrentIndex(combo->count() > 0 ? position : -1);
    }
    applyPublicLock(FixedListPosition(ch.PublicCh, 2) >= 1);
}

void ChannelDetailPanel::applyPublicLock(bool locked)
{
    for (const FieldDef& def : kFields) {
        if (!IsPublicLocked(def.field))
            continue;
        const auto at = static_cast<std::size_t>(def.field);
        combos_[at]->setEnabled(!locked);
        labels_[at]->setEnabled(!locked);
    }
}

namespace {
void RebuildKeeping(QComboBox* combo, const QStringList& entries, const QString& keep)
{
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(entries);
    if (entries.isEmpty())
        return;
    const qsizetype at = entries.indexOf(keep);
    combo->setCurrentIndex(at < 0 ? 0 : int(at));
}
} // namespace

void ChannelDetailPanel::setRogerList(const QStringList& entries)
{
    RebuildKeeping(selector(DetailField::Roger), entries, shownText(DetailField::Roger));
}

void ChannelDetailPanel::setCodeList(const QStringList& entries)
{
    for (DetailField f : {DetailField::Bot, DetailField::Eot, DetailField::Call})
        RebuildKeeping(selector(f), entries, shownText(f));
}

void ChannelDetailPanel::setModeList(const QStringList& modes, const QString& entry)
{
    RebuildKeeping(selector(DetailField::Mode), modes, entry);
}
