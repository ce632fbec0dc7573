#include "editors/features/RogerBeepRules.h"

#include "document/DataRecord.h"
#include "i18n/FeatureTexts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLowestFrequencyCode = 40;   // 400 Hz
constexpr int kHighestFrequencyCode = 255; // 2550 Hz

bool validSequence(int n)
{
    return n >= 1 && n <= kRogerSequences;
}

void revalidate(int16_t& reference, const DataRecord& data)
{
    if (!IsSequenceDefined(data, reference))
        reference = 0;
}

// What a "Tone Long[ms]" selector shows for a stored length.
int shownLength(int16_t length)
{
    return ItemIndexOf(length, kTenMsItems);
}

int roundedDiv(long long numerator, long long denominator)
{
    return int(std::llround(double(numerator) / double(denominator)));
}

} // namespace

bool IsSequenceDefined(const DataRecord& data, int n)
{
    if (!validSequence(n))
        return false;
    const RogerSeqEntry& seq = data.RogerSeq[n];
    if (seq.Recycle < 1)
        return false;
    for (int i = 1; i <= kRogerSteps; ++i)
        if (seq.Tone[i].Length > 0)
            return true;
    return false;
}

int DefinedSequenceCount(const DataRecord& data)
{
    int count = 0;
    for (int n = 1; n <= kRogerSequences; ++n)
        count += IsSequenceDefined(data, n) ? 1 : 0;
    return count;
}

QStringList RogerListItems(const DataRecord& data, int language)
{
    QStringList items{Text(FeatureText::OffUpper, language)};
    for (int n = 1; n <= kRogerSequences; ++n)
        if (IsSequenceDefined(data, n))
            items << QString::number(n);
    return items;
}

void RevalidateRogerReferences(RadioDocument& doc)
{
    for (int mode = 0; mode <= 1; ++mode)
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = std::clamp<int>(doc.Data.ChannelCount[mode][group], 0, kMaxChannels);
            for (int pos = 1; pos <= count; ++pos)
                revalidate(doc.Channels[mode][pos][group].RogerTone, doc.Data);
        }
    revalidate(doc.Data.Opt.PubRoger, doc.Data);
}

QStringList RecycleItems(int language)
{
    QStringList items{RogerBeepCaption(29200, language)};
    for (int i = 1; i < kRecycleItems; ++i)
        items << QString::number(i);
    return items;
}

QStringList TenMsItems()
{
    QStringList items;
    for (int i = 0; i < kTenMsItems; ++i)
        items << QString::number(i * 10);
    return items;
}

QStringList FrequencyItems(int language)
{
    QStringList items{RogerBeepCaption(29201, language)};
    for (int code = kLowestFrequencyCode; code <= kHighestFrequencyCode; ++code)
        items << QString::number(code * 10);
    return items;
}

int ItemIndexOf(int16_t stored, int itemCount)
{
    return stored >= 0 && stored < itemCount ? stored : 0;
}

int FrequencyItemIndex(int16_t code)
{
    if (code < kLowestFrequencyCode || code > kHighestFrequencyCode)
        return 0;
    return code - kLowestFrequencyCode + 1;
}

int16_t FrequencyCodeOf(int itemIndex)
{
    if (itemIndex < 1 || itemIndex > kHighestFrequencyCode - kLowestFrequencyCode + 1)
        return 0;
    return int16_t(itemIndex - 1 + kLowestFrequencyCode);
}

bool RefusesRecycle(const DataRecord& data, int current, int newIndex)
{
    (void)current;
    return DefinedSequenceCount(data) == 1 && newIndex == 0;
}

bool RefusesLength(const DataRecord& data, int current, int step, int newIndex)
{
    if (!validSequence(current) || DefinedSequenceCount(data) != 1)
        return false;
    const RogerSeqEntry& seq = data.RogerSeq[current];
    for (int i = 1; i <= kRogerSteps; ++i) {
        const int shown = i == step ? newIndex : shownLength(seq.Tone[i].Length);
        if (shown != 0)
            return false;
    }
    return true;
}

bool ApplyShownSequence(RadioDocument& doc, int current)
{
    if (!validSequence(current))
        return false;
    DataRecord& data = doc.Data;
    RogerSeqEntry& seq = data.RogerSeq[current];
    bool changed = false;

    const int recycle = ItemIndexOf(seq.Recycle, kRecycleItems);
    if (recycle != seq.Recycle && !RefusesRecycle(data, current, recycle)) {
        seq.Recycle = int16_t(recycle);
        RevalidateRogerReferences(doc);
        changed = true;
    }
    seq.InterTime = int16_t(ItemIndexOf(seq.InterTime, kTenMsItems));
    for (int i = 1; i <= kRogerSteps; ++i) {
        RogerTone& tone = seq.Tone[i];
        tone.Freq = FrequencyCodeOf(FrequencyItemIndex(tone.Freq));
        const int length = shownLength(tone.Length);
        if (length != tone.Length && !RefusesLength(data, current, i, length)) {
            tone.Length = int16_t(length);
            RevalidateRogerReferences(doc);
            changed = true;
        }
    }
    return changed;
}

std::vector<ChartBar> ChartBars(const RogerSeqEntry& seq, QSize surface, int margin)
{
    std::vector<ChartBar> bars;
    const long long innerWidth = surface.width() - 2LL * margin;
    const long long innerHeight = surface.height() - 2LL * margin;
    long long total = 0;
    for (int i = 1; i <= kRogerSteps; ++i)
        total += seq.Tone[i].Length;
    if (total < 1)
        return bars;
    const int bottom = surface.height() - margin;
    int x = margin;
    for (int i = 1; i <= kRogerSteps; ++i) {
        const RogerTone& tone = seq.Tone[i];
        if (tone.Length <= 0)
            continue;
        const int w = roundedDiv(tone.Length * innerWidth, total);
        // A negative code only comes from a damaged file; it draws no height.
        const int h = std::max(0, roundedDiv(tone.Freq * innerHeight, 256));
        bars.push_back({i, QRect(x, bottom - h, w, h), i % 2 == 1});
        x += w;
    }
    return bars;
}
