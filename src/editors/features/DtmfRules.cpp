#include "editors/features/DtmfRules.h"

#include "document/Conversions.h"
#include "document/DataRecord.h"
#include "i18n/FeatureTexts.h"

namespace {

constexpr char kNul = '\0';

// Item values of the timing selectors; the D key list is built from the language tables.
QList<int> encodeValues(DtmfEncodeField field)
{
    QList<int> values;
    switch (field) {
    case DtmfEncodeField::SendTime:
        for (int ms = 10; ms <= 500; ms += 10)
            values << ms;
        break;
    case DtmfEncodeField::FirstDigitTime:
        for (int ms = 0; ms <= 1000; ms += 100)
            values << ms;
        break;
    case DtmfEncodeField::FirstDigitDelay:
        for (int ms = 100; ms <= 2500; ms += 100)
            values << ms;
        break;
    case DtmfEncodeField::StarHashTone:
        values << 0 << 100 << 500 << 1000;
        break;
    case DtmfEncodeField::DKey:
        break;
    }
    return values;
}

int factor(DtmfEncodeField field)
{
    return field == DtmfEncodeField::SendTime ? 10 : 100;
}

constexpr int kDKeyItems = 17; // "D Code", then 1s .. 16s

void revalidate(int16_t& reference, const OptionRecord& opt)
{
    if (reference <= 0 || reference > kAutodialCount || IsAutodialEmpty(opt, reference))
        reference = 0;
}

} // namespace

QString AutodialText(const OptionRecord& opt, int n)
{
    if (n < 1 || n > kAutodialCount)
        return QString();
    return TrimFixed(opt.AutodialCode[n].text());
}

bool IsAutodialEmpty(const OptionRecord& opt, int n)
{
    return AutodialText(opt, n).isEmpty();
}

void StoreAutodialCode(OptionRecord& opt, int n, const QString& text)
{
    if (n < 1 || n > kAutodialCount)
        return;
    QByteArray code = TrimFixed(text).toUpper().toLatin1().left(kAutodialLength);
    if (code.size() < kAutodialLength)
        code.append(kNul);
    opt.AutodialCode[n].setRaw(code);
}

std::optional<QChar> AutodialKey(QChar typed)
{
    const char16_t c = typed.unicode();
    if ((c >= u'0' && c <= u'9') || c == u'*' || c == u'#' || (c >= u'A' && c <= u'D'))
        return typed;
    if (c >= u'a' && c <= u'd')
        return typed.toUpper();
    return std::nullopt;
}

QStringList DtmfCodeListItems(const OptionRecord& opt, int language)
{
    QStringList items{Text(FeatureText::OffUpper, language)};
    for (int n = 1; n <= kAutodialCount; ++n)
        if (!IsAutodialEmpty(opt, n))
            items << QString::number(n);
    return items;
}

void RevalidateDtmfReferences(RadioDocument& doc)
{
    OptionRecord& opt = doc.Data.Opt;
    for (int mode = 0; mode <= 1; ++mode)
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = std::clamp<int>(doc.Data.ChannelCount[mode][group], 0, kMaxChannels);
            for (int pos = 1; pos <= count; ++pos) {
                ChannelRecord& ch = doc.Channels[mode][pos][group];
                revalidate(ch.BotCode, opt);
                revalidate(ch.EotCode, opt);
                revalidate(ch.CallCode, opt);
            }
        }
    revalidate(opt.PubBot, opt);
    revalidate(opt.PubEot, opt);
    revalidate(opt.PubCall, opt);
}

QStringList DtmfEncodeItems(DtmfEncodeField field, int language)
{
    QStringList items;
    if (field == DtmfEncodeField::DKey) {
        items << Text(FeatureText::DtmfDCode, language);
        for (int s = 1; s < kDKeyItems; ++s)
            items << QString::number(s) + Text(FeatureText::DtmfSecondsSuffix, language);
        return items;
    }
    for (int value : encodeValues(field))
        items << QString::number(value);
    return items;
}

int DtmfEncodeItemIndex(DtmfEncodeField field, int16_t stored)
{
    if (field == DtmfEncodeField::DKey)
        return stored >= 0 && stored < kDKeyItems ? stored : 0;
    const int index = int(encodeValues(field).indexOf(int(stored) * factor(field)));
    return index < 0 ? 0 : index;
}

int16_t DtmfEncodeStoredValue(DtmfEncodeField field, int index)
{
    if (field == DtmfEncodeField::DKey)
        return int16_t(index >= 0 && index < kDKeyItems ? index : 0);
    const QList<int> values = encodeValues(field);
    if (index < 0 || index >= values.size())
        index = 0;
    return int16_t(values.at(index) / factor(field));
}

int16_t& DtmfEncodeFieldOf(OptionRecord& opt, DtmfEncodeField field)
{
    switch (field) {
    case DtmfEncodeField::SendTime:
        return opt.DtmfSendTime;
    case DtmfEncodeField::FirstDigitTime:
        return opt.DtmfFirstDigitTime;
    case DtmfEncodeField::FirstDigitDelay:
        return opt.DtmfFirstDigitDelay;
    case DtmfEncodeField::StarHashTone:
        return opt.DtmfStarHashTone;
    case DtmfEncodeField::DKey:
        break;
    }
    return opt.DtmfDKey;
}

void NormalizeDtmfEncode(OptionRecord& opt)
{
    for (DtmfEncodeField field :
         {DtmfEncodeField::SendTime, DtmfEncodeField::FirstDigitTime, DtmfEncodeField::FirstDigitDelay,
          DtmfEncodeField::StarHashTone, DtmfEncodeField::DKey}) {
        int16_t& value = DtmfEncodeFieldOf(opt, field);
        value = DtmfEncodeStoredValue(field, DtmfEncodeItemIndex(field, value));
    }
}
