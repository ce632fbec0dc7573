#include "editors/channels/ChannelRules.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "document/ToneCodes.h"
#include "editors/channels/FrequencyRules.h"

#include <algorithm>

QString GetCHName(int id)
{
    if (id <= kNumberedChannels)
        return QString::number(id);
    return QLatin1Char('M') + QString::number(id - kNumberedChannels);
}

int GetCHID(const QString& name)
{
    const QString t = TrimFixed(name);
    if (t.startsWith(QLatin1Char('M')))
        return kNumberedChannels + ToIntOr(t.mid(1), 0);
    if (IsNumeric(t))
        return ToIntOr(t, 0);
    return 0;
}

int GroupsOfMode(int mode)
{
    return mode == kModeCB ? kGroupCount : kGroupCount - 1;
}

QStringList GroupEntries(int mode)
{
    QStringList entries;
    for (int g = 1; g <= GroupsOfMode(mode); ++g)
        entries << GroupLetter(static_cast<int16_t>(g));
    entries << GroupLetter(kMemoryView);
    return entries;
}

int ShownGroup(int mode, int storedGroup)
{
    if (storedGroup == kMemoryView || (storedGroup >= 1 && storedGroup <= GroupsOfMode(mode)))
        return storedGroup;
    return 1;
}

int RowsOfGroup(int group)
{
    return group == kMemoryView ? kMaxChannels - kNumberedChannels : kNumberedChannels;
}

WorkGroupChoice InitComboWorkGroup(const RadioDocument& doc)
{
    WorkGroupChoice choice;
    const int mode = ActiveMode(doc.Data);
    for (int g = 1; g <= GroupsOfMode(mode); ++g)
        if (doc.Data.Opt.GroupValid[mode][g] == 1)
            choice.letters << GroupLetter(static_cast<int16_t>(g));
    if (choice.letters.isEmpty())
        return choice;
    const int16_t stored = mode == kModeCB ? doc.Data.Opt.CBWorkGroup : doc.Data.Opt.HFWorkGroup;
    // GroupLetter turns any stray number into "A", which is then offered only when A is valid.
    choice.selected = std::max<int>(0, choice.letters.indexOf(GroupLetter(stored)));
    return choice;
}

void StoreWorkGroup(RadioDocument& doc, const QString& letter)
{
    const int16_t group = GroupNumber(letter);
    if (group < 1 || group > kGroupCount)
        return;
    if (ActiveMode(doc.Data) == kModeCB)
        doc.Data.Opt.CBWorkGroup = group;
    else
        doc.Data.Opt.HFWorkGroup = group;
}

int16_t& ReferenceField(RadioDocument& doc, GroupReference ref, int mode, int group)
{
    OptionRecord& o = doc.Data.Opt;
    switch (ref) {
    case GroupReference::EmgCh1:
        return o.EmgCh1[mode][group];
    case GroupReference::EmgCh2:
        return o.EmgCh2[mode][group];
    case GroupReference::DwCh1:
        return o.DwCh1[mode][group];
    case GroupReference::DwCh2:
        break;
    }
    return o.DwCh2[mode][group];
}

QStringList InitValidComboList(const RadioDocument& doc, int mode, int group)
{
    if (group < 1 || group > kGroupCount)
        return {};
    std::vector<int> ids;
    const int count = ChannelCountOf(doc, mode, group);
    for (int slot = 1; slot <= count; ++slot) {
        const int id = doc.Channels[mode][slot][group].ChId;
        if (id >= 1 && id <= kNumberedChannels)
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    QStringList names;
    for (int id : ids)
        names << GetCHName(id);
    return names;
}

std::array<QString, 4> ShowValidComboText(RadioDocument& doc, int mode, int group, bool store)
{
    std::array<QString, 4> shown;
    const QStringList names = InitValidComboList(doc, mode, group);
    if (names.isEmpty())
        return shown;
    for (std::size_t i = 0; i < kGroupReferences.size(); ++i) {
        int16_t& field = ReferenceField(doc, kGroupReferences[i], mode, group);
        const QString name = GetCHName(field);
        shown[i] = names.contains(name) ? name : names.first();
        if (store)
            field = static_cast<int16_t>(GetCHID(shown[i]));
    }
    return shown;
}

void StoreReference(RadioDocument& doc, GroupReference ref, int mode, int group, const QString& name)
{
    if (group < 1 || group > kGroupCount)
        return;
    ReferenceField(doc, ref, mode, group) = static_cast<int16_t>(GetCHID(name));
}

GroupValidOutcome PickGroupValid(RadioDocument& doc, int mode, int group, int position)
{
    if (mode < 0 || mode > 1 || group < 1 || group > kGroupCount || position < 0 || position > 1)
        return GroupValidOutcome::SnappedBack;
    int16_t& valid = doc.Data.Opt.GroupValid[mode][group];
    bool otherValid = false;
    for (int g = 1; g <= GroupsOfMode(mode); ++g)
        otherValid = otherValid || (g != group && doc.Data.Opt.GroupValid[mode][g] > 0);
    if (position == 0 && !otherValid)
        return GroupValidOutcome::SnappedBack;
    const bool empty = valid == 0 && position == 1 && InitValidComboList(doc, mode, group).isEmpty();
    valid = static_cast<int16_t>(position);
    if (empty && AddGroupDefaultChannel(doc, mode, group))
        return GroupValidOutcome::StoredWithDefaultChannel;
    return GroupValidOutcome::Stored;
}

int16_t& DetailValue(ChannelRecord& ch, DetailField field)
{
    switch (field) {
    case DetailField::Tsq:
        return ch.TsqCode;
    case DetailField::HiCut:
        return ch.HiCut;
    case DetailField::NbAnl:
        return ch.NbAnl;
    case DetailField::Echo:
        return ch.Echo;
    case DetailField::Add10k:
        return ch.Add10k;
    case DetailField::Busy:
        return ch.BusyLock;
    case DetailField::Rep:
        return ch.RptShift;
    case DetailField::Public:
        return ch.PublicCh;
    case DetailField::Scan:
        return ch.Scan;
    case DetailField::Roger:
        return ch.RogerTone;
    case DetailField::Mode:
        return ch.Modulation;
    case DetailField::Bot:
        return ch.BotCode;
    case DetailField::Eot:
        return ch.EotCode;
    case DetailField::Call:
        break;
    }
    return ch.CallCode;
}

ChannelText DetailCaption(DetailField field)
{
    // Order follows DetailField.
    static constexpr ChannelText kCaptions[] = {
        ChannelText::Tsq,  ChannelText::HiCut, ChannelText::NbAnl,  ChannelText::Echo, ChannelText::Add10k,
        ChannelText::Busy, ChannelText::Rep,   ChannelText::Public, ChannelText::Scan, ChannelText::Roger,
        ChannelText::Mode, ChannelText::Bot,   ChannelText::Eot,    ChannelText::Call,
    };
    static_assert(std::size(kCaptions) == kDetailFieldCount);
    return kCaptions[static_cast<std::size_t>(field)];
}

bool IsNumberedList(DetailField field)
{
    return field == DetailField::Roger || field == DetailField::Bot || field == DetailField::Eot ||
           field == DetailField::Call;
}

QStringList FixedListEntries(DetailField field, int language)
{
    const auto t = [language](ChannelText key) { return Text(key, language); };
    switch (field) {
    case DetailField::Tsq:
        return ToneCodeList();
    case DetailField::Rep:
        return {t(ChannelText::Off), t(ChannelText::RepPlus), t(ChannelText::RepMinus)};
    case DetailField::Scan:
        return {t(ChannelText::ScanDel), t(ChannelText::ScanAdd)};
    case DetailField::Mode:
    case DetailField::Roger:
    case DetailField::Bot:
    case DetailField::Eot:
    case DetailField::Call:
        return {};
    default:
        return {t(ChannelText::Off), t(ChannelText::On)};
    }
}

int FixedListPosition(int16_t value, int count)
{
    return value >= 0 && value < count ? value : 0;
}

int NumberedListPosition(const QStringList& entries, int16_t value)
{
    const qsizetype at = value > 0 ? entries.indexOf(QString::number(value)) : -1;
    return at > 0 ? int(at) : 0;
}

void StoreDetail(ChannelRecord& ch, DetailField field, int position, const QString& entry)
{
    int16_t& target = DetailValue(ch, field);
    if (field == DetailField::Mode)
        target = ModeIndex(entry);
    else if (IsNumberedList(field))
        target = position > 0 ? ToIntOr(entry, 0) : 0;
    else
        target = static_cast<int16_t>(std::max(0, position));
}

bool IsPublicLocked(DetailField field)
{
    switch (field) {
    case DetailField::HiCut:
    case DetailField::NbAnl:
    case DetailField::Echo:
    case DetailField::Add10k:
    case DetailField::Roger:
    case DetailField::Mode:
    case DetailField::Bot:
    case DetailField::Eot:
    case DetailField::Call:
        return true;
    default:
        return false;
    }
}

QStringList RogerList(const DataRecord& data, const QString& offEntry)
{
    QStringList entries{offEntry};
    for (int i = 1; i <= 8; ++i) {
        const RogerSeqEntry& seq = data.RogerSeq[i];
        bool sounds = false;
        for (int j = 1; j <= 14; ++j)
            sounds = sounds || seq.Tone[j].Length > 0;
        if (seq.Recycle >= 1 && sounds)
            entries << QString::number(i);
    }
    return entries;
}

QStringList CodeList(const DataRecord& data, const QString& offEntry)
{
    QStringList entries{offEntry};
    for (int i = 1; i <= 16; ++i)
        if (!TrimFixed(data.Opt.AutodialCode[i].text()).isEmpty())
            entries << QString::number(i);
    return entries;
}

QStringList ModeList(const DataRecord& data, bool memoryView)
{
    return ModeListItems(data.Opt, memoryView);
}

ChannelRecord* RowChannel(RadioDocument& doc, int group, int row)
{
    const int mode = ActiveMode(doc.Data);
    if (row < 1 || row > RowsOfGroup(group))
        return nullptr;
    if (group == kMemoryView) {
        const int slot = FindChannelSlot(doc, mode, 1, row + kNumberedChannels);
        return slot ? &doc.Channels[mode][slot][1] : nullptr;
    }
    if (group < 1 || group > kGroupCount)
        return nullptr;
    const int slot = FindChannelSlot(doc, mode, group, row);
    return slot ? &doc.Channels[mode][slot][group] : nullptr;
}
