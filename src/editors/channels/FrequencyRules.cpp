#include "editors/channels/FrequencyRules.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "i18n/ChannelTexts.h"
#include "i18n/Texts.h"
#include "session/UserPrompt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void warnOutOfRange(const ChannelEditContext& ctx)
{
    ctx.prompt.tell(PromptId::InvalidInput, Text(Msg::FreqOutOfRange, ctx.language), PromptIcon::Exclamation);
}

bool isNumbered(int id)
{
    return id >= 1 && id <= kNumberedChannels;
}
bool isMemory(int id)
{
    return id >= kFirstMemoryChannel && id <= kMaxChannels;
}

int numberedChannelsOf(const RadioDocument& doc, int mode, int group)
{
    int n = 0;
    const int count = ChannelCountOf(doc, mode, group);
    for (int slot = 1; slot <= count; ++slot)
        n += isNumbered(doc.Channels[mode][slot][group].ChId) ? 1 : 0;
    return n;
}

} // namespace

int ChannelCountOf(const RadioDocument& doc, int mode, int group)
{
    return std::clamp<int>(doc.Data.ChannelCount[mode][group], 0, kMaxChannels);
}

int FindChannelSlot(const RadioDocument& doc, int mode, int group, int id)
{
    const int count = ChannelCountOf(doc, mode, group);
    for (int slot = 1; slot <= count; ++slot)
        if (doc.Channels[mode][slot][group].ChId == id)
            return slot;
    return 0;
}

QString StoredToFreqText(const QString& stored, const ChannelEditContext& ctx)
{
    // Blanks and a NUL end the field's text: an erased field reads as no frequency.
    const QString s = TrimFixed(stored).trimmed();
    if (s.isEmpty() || s == QLatin1String("FFFFFFFF"))
        return QString();
    std::optional<double> value;
    if (IsNumeric(s))
        value = ParseNumber(s.left(2) + QLatin1Char('.') + s.mid(2));
    if (!value) {
        ctx.prompt.tell(PromptId::EditorNotice, Text(ChannelText::NotIsNumeric, ctx.language));
        return FormatShortest(ctx.state.BandLow);
    }
    return FormatFixed(*value, 4);
}

double SnapToRaster(double frequency, double bandLow)
{
    // 64-bit on purpose: a damaged band text may give limits far outside the radio's range.
    const auto low = static_cast<int64_t>(RoundHalfEven(bandLow * 1000000.0));
    auto hz = static_cast<int64_t>(RoundHalfEven(frequency * 1000000.0));
    const int64_t m = ((hz - low) % 10 + 10) % 10;
    hz -= m;
    return static_cast<double>(hz) / 1000000.0;
}

double LimitFrequency(double frequency, const ChannelEditContext& ctx)
{
    if (frequency < ctx.state.BandLow) {
        warnOutOfRange(ctx);
        return 0;
    }
    if (frequency <= ctx.state.BandHigh)
        return SnapToRaster(frequency, ctx.state.BandLow);
    warnOutOfRange(ctx);
    return 0;
}

QString NormalizeFrequencyText(const QString& value, const ChannelEditContext& ctx)
{
    double x = 0;
    if (const auto number = ParseNumber(value))
        x = LimitFrequency(*number, ctx);
    else
        warnOutOfRange(ctx);
    const QString r = FormatFixed(x, 4);
    return ParseNumber(r).value_or(0) == 0 ? QString() : r;
}

void RevalidateGroupReferences(RadioDocument& doc, int mode, int group)
{
    if (mode < 0 || mode > 1 || group < 1 || group > kGroupCount)
        return;
    int firstNumbered = 0;
    int firstMemory = 0;
    const int count = ChannelCountOf(doc, mode, group);
    for (int slot = count; slot >= 1; --slot) {
        const int id = doc.Channels[mode][slot][group].ChId;
        if (isNumbered(id))
            firstNumbered = id;
        else if (isMemory(id))
            firstMemory = id;
    }
    OptionRecord& o = doc.Data.Opt;
    for (ModeGroupTable<int16_t>* table : {&o.EmgCh1, &o.EmgCh2, &o.WorkCh, &o.DwCh1, &o.DwCh2}) {
        int16_t& ref = (*table)[mode][group];
        // A reference of 0 (or any stray number) counts as one to a numbered channel.
        const int first = isMemory(ref) ? firstMemory : firstNumbered;
        const bool exists = ref != 0 && FindChannelSlot(doc, mode, group, ref) != 0;
        if (!(exists && first != 0))
            ref = static_cast<int16_t>(first);
    }
}

FrequencyCommit SetChannelFrequency(const ChannelEditContext& ctx, int group, int row, const QString& input)
{
    FrequencyCommit result;
    RadioDocument& doc = ctx.doc;
    const int mode = ActiveMode(doc.Data);
    const bool memoryView = group == kMemoryView;
    if (group < 1 || group > kMemoryView || row < 1 ||
        row > (memoryView ? kMaxChannels - kNumberedChannels : kNumberedChannels))
        return result;

    QString value = input;
    if (!value.isEmpty())
        value = NormalizeFrequencyText(value, ctx);

    if (memoryView) {
        const int id = row + kNumberedChannels;
        const int slot = FindChannelSlot(doc, mode, 1, id);
        if (slot != 0 && value.isEmpty()) {
            DeleteChannelSlot(doc, slot, mode, 1);
        } else if (slot != 0) {
            StoreChannelFrequency(doc.Channels[mode][slot][1], value);
        } else if (!value.isEmpty()) {
            AddChannel(doc, id, mode, 1, value);
            RevalidateGroupReferences(doc, mode, 1);
            result.referencesChecked = true;
            result.referenceGroup = 1;
        }
        return result;
    }

    const int slot = FindChannelSlot(doc, mode, group, row);
    if (slot != 0 && value.isEmpty()) {
        if (numberedChannelsOf(doc, mode, group) >= 2) {
            DeleteChannelSlot(doc, slot, mode, group);
            RevalidateGroupReferences(doc, mode, group);
            result.referencesChecked = true;
            result.referenceGroup = group;
            return result;
        }
        // The group's last numbered channel: it may go only while another valid group of
        // the work mode keeps a numbered channel, and its group stops being valid with it.
        const int groups = mode == kModeCB ? kGroupCount : kGroupCount - 1;
        int elsewhere = 0;
        for (int g = 1; g <= groups; ++g)
            if (doc.Data.Opt.GroupValid[mode][g] == 1)
                elsewhere += numberedChannelsOf(doc, mode, g);
        if (group <= groups && doc.Data.Opt.GroupValid[mode][group] == 1)
            elsewhere -= 1; // the channel being cleared
        if (elsewhere > 0) {
            doc.Data.Opt.GroupValid[mode][group] = 0;
            DeleteChannelSlot(doc, slot, mode, group);
            result.groupInvalidated = true;
        } else {
            result.refused = true;
        }
    } else if (slot != 0) {
        StoreChannelFrequency(doc.Channels[mode][slot][group], value);
    } else if (!value.isEmpty()) {
        AddChannel(doc, row, mode, group, value);
        RevalidateGroupReferences(doc, mode, group);
        result.referencesChecked = true;
        result.referenceGroup = group;
    }
    return result;
}
