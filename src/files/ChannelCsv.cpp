#include "files/ChannelCsv.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "document/ToneCodes.h"
#include "editors/channels/ChannelRules.h"
#include "editors/channels/FrequencyRules.h"
#include "i18n/ChannelTexts.h"
#include "i18n/ExchangeTexts.h"
#include "i18n/Texts.h"
#include "session/UserPrompt.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The columns in the order the export writes them: four of their own, then the detail panel's
// selectors, each named and filled as the panel names and fills it.
enum class Column { WorkMode, Group, Channel, Frequency, FirstDetail };
constexpr DetailField kDetailColumns[] = {
    DetailField::Tsq,    DetailField::Mode, DetailField::HiCut, DetailField::NbAnl,  DetailField::Echo,
    DetailField::Add10k, DetailField::Busy, DetailField::Rep,   DetailField::Public, DetailField::Scan,
    DetailField::Roger,  DetailField::Bot,  DetailField::Eot,   DetailField::Call,
};
static_assert(std::size(kDetailColumns) == kDetailFieldCount);
constexpr int kColumnCount = static_cast<int>(Column::FirstDetail) + kDetailFieldCount;

// The field a detail column stores into.
DetailField detailFieldOf(Column column)
{
    return kDetailColumns[static_cast<std::size_t>(column) - static_cast<std::size_t>(Column::FirstDetail)];
}

QString columnName(Column column, int language)
{
    switch (column) {
    case Column::WorkMode:
        return Text(ExchangeText::ColumnWorkMode, language);
    case Column::Group:
        return Text(ExchangeText::ColumnGroup, language);
    case Column::Channel:
        return Text(ChannelText::HeaderChannel, language);
    case Column::Frequency:
        return Text(ChannelText::HeaderFrequency, language);
    default:
        return Text(DetailCaption(detailFieldOf(column)), language);
    }
}

constexpr int kRogerSequences = 8;
constexpr int kDtmfCodes = 16;

// The entries of a fixed selector in one language; the position is the stored value.
QStringList fixedEntries(Column column, int language)
{
    return FixedListEntries(detailFieldOf(column), language);
}

bool isFixedList(Column column)
{
    const DetailField field = detailFieldOf(column);
    return field != DetailField::Mode && !IsNumberedList(field);
}

// "OFF" and the numbers 1..n: a channel may name a roger-beep sequence or a DTMF code that is
// not defined at the moment, as the channel window lets it keep such a number.
int numberedLimit(Column column)
{
    return detailFieldOf(column) == DetailField::Roger ? kRogerSequences : kDtmfCodes;
}

// Quotes a cell that holds the separator, a quote or a line break.
QString csvCell(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Frequency warnings of the channel rules are counted here instead of being shown: the import
// reports them as problems of the cell.
class CountingPrompt final : public UserPrompt {
public:
    PromptAnswer ask(PromptId, const QString&, PromptButtons, PromptIcon) override
    {
        ++told;
        return PromptAnswer::Ok;
    }
    int told = 0;
};

// The band state the channel window has while it shows a work mode.
DocumentState bandStateOf(int mode)
{
    DocumentState state;
    state.BandText = BandTextOf(mode);
    ParseBandLimits(state);
    return state;
}

QString frequencyShown(const FixedText<8>& stored, RadioDocument& doc, int mode)
{
    CountingPrompt quiet;
    const DocumentState state = bandStateOf(mode);
    const ChannelEditContext ctx{doc, state, quiet, kEnglish};
    const QString shown = StoredToFreqText(stored.text(), ctx);
    // A damaged field shows the band's lower limit in the window; in a list that would pass
    // for a real frequency, so it stays empty and an import refuses it.
    return quiet.told == 0 ? shown : QString();
}

QString cellOf(const ChannelRecord& ch, Column column)
{
    ChannelRecord copy = ch;
    const DetailField field = detailFieldOf(column);
    const int16_t value = DetailValue(copy, field);
    if (field == DetailField::Mode)
        return ModeName(value);
    if (field == DetailField::Tsq)
        return ToneCodeText(value);
    if (isFixedList(column)) {
        const QStringList entries = fixedEntries(column, kEnglish);
        return entries[FixedListPosition(value, int(entries.size()))];
    }
    if (value >= 1 && value <= numberedLimit(column))
        return QString::number(value);
    return Text(ChannelText::Off, kEnglish);
}

// ---- Reading -----------------------------------------------------------------------------

struct CsvRecord {
    int line = 0;
    QStringList cells;
};

// Splits CSV text into records as a spreadsheet writes them: cells in double quotes may hold
// the separator, doubled quotes and line breaks; unquoted cells are trimmed. Blank lines are
// skipped. Returns the line of an unclosed quote, 0 when all is well.
int splitCsv(const QString& text, QChar separator, QList<CsvRecord>& records)
{
    int line = 1;
    CsvRecord record{1, {}};
    QString cell;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the current cell had quotes: it is not trimmed
    int quoteLine = 0;
    const auto endCell = [&] {
        record.cells << (wasQuoted ? cell : cell.trimmed());
        cell.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endCell();
        const bool blank = record.cells.size() == 1 && record.cells.first().isEmpty();
        if (!blank)
            records << record;
        record = CsvRecord{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                cell += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && cell.trimmed().isEmpty()) {
            cell.clear();
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else if (c == separator) {
            endCell();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord();
        } else if (!(wasQuoted && c.isSpace())) {
            cell += c;
        }
    }
    if (quoted)
        return quoteLine;
    endRecord();
    return 0;
}

// The separator of the header line: a spreadsheet set to a decimal comma writes ";".
QChar detectSeparator(const QString& text)
{
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    const qsizetype commas = first.count(QLatin1Char(','));
    const qsizetype semicolons = first.count(QLatin1Char(';'));
    const qsizetype tabs = first.count(QLatin1Char('\t'));
    if (semicolons > commas && semicolons >= tabs)
        return QLatin1Char(';');
    if (tabs > commas && tabs > semicolons)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

// A cell compared with the entries of both languages, ignoring case; -1 when none matches.
int entryPosition(const QString& cell, const QList<QStringList>& entriesByLanguage)
{
    for (const QStringList& entries : entriesByLanguage)
        for (int i = 0; i < entries.size(); ++i)
            if (cell.compare(entries[i], Qt::CaseInsensitive) == 0)
                return i;
    return -1;
}

// UTF-8 as written by this program and most tools; a spreadsheet on a Chinese system saves
// its CSV in GB18030 instead, which is taken when the bytes are no UTF-8.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder chinese("GB18030");
        if (chinese.isValid()) {
            const QString other = chinese.decode(bytes);
            if (!chinese.hasError())
                text = other;
        }
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

struct RowData {
    int line = 0;
    int mode = -1;
    int group = 0; // the group that holds the channels, 1..10
    int id = 0;
    QString frequency; // checked and formatted with four decimals
    std::array<std::optional<int16_t>, kColumnCount> values{};
};

class CsvImporter {
public:
    CsvImporter(RadioDocument& doc, int language) : doc_(doc), language_(language) {}

    ChannelCsvImport run(const QByteArray& bytes);

private:
    void problemAt(int line, int column, const QString& text)
    {
        const QString header = column - 1 < headers_.size() ? headers_[column - 1] : QString();
        if (header.isEmpty())
            result_.problems << t(ExchangeText::LocationUnnamed).arg(line).arg(column).arg(text);
        else
            result_.problems << t(ExchangeText::Location).arg(line).arg(column).arg(header, text);
    }
    void problemAtLine(int line, const QString& text)
    {
        result_.problems << Text(ExchangeText::LineOnly, language_).arg(line).arg(text);
    }
    QString t(ExchangeText key) const { return Text(key, language_); }
    bool readHeader(const CsvRecord& header);
    void readRow(const CsvRecord& record);
    void checkGroups();
    void apply();

    RadioDocument& doc_;
    int language_;
    ChannelCsvImport result_;
    QStringList headers_;
    std::array<int, kColumnCount> at_{}; // cell index of each column, -1 when absent
    std::vector<RowData> rows_;
};

bool CsvImporter::readHeader(const CsvRecord& header)
{
    headers_ = header.cells;
    at_.fill(-1);
    for (int i = 0; i < headers_.size(); ++i) {
        const QString name = headers_[i];
        if (name.isEmpty())
            continue; // a spreadsheet's trailing empty column; its cells are checked per row
        int found = -1;
        for (int c = 0; c < kColumnCount && found < 0; ++c)
            for (int language : {kEnglish, kChinese})
                if (name.compare(columnName(Column(c), language), Qt::CaseInsensitive) == 0)
                    found = c;
        if (found < 0)
            problemAt(header.line, i + 1, t(ExchangeText::UnknownColumn));
        else if (at_[std::size_t(found)] >= 0)
            problemAt(header.line, i + 1, t(ExchangeText::DuplicateColumn));
        else
            at_[std::size_t(found)] = i;
    }
    for (Column required : {Column::WorkMode, Column::Group, Column::Channel, Column::Frequency})
        if (at_[std::size_t(required)] < 0)
            problemAtLine(header.line, t(ExchangeText::MissingColumn).arg(columnName(required, language_)));
    return result_.problems.isEmpty();
}

void CsvImporter::readRow(const CsvRecord& record)
{
    for (int i = 0; i < record.cells.size(); ++i) {
        const bool unnamed = i >= headers_.size() || headers_[i].isEmpty();
        if (unnamed && !record.cells[i].isEmpty()) {
            problemAt(record.line, i + 1, t(ExchangeText::ExtraCells));
            return;
        }
    }
    const auto cell = [&](Column c) { return record.cells.value(at_[std::size_t(c)]); };
    const auto problem = [&](Column c, const QString& text) { problemAt(record.line, at_[std::size_t(c)] + 1, text); };
    RowData row;
    row.line = record.line;

    const QString modeCell = cell(Column::WorkMode);
    for (int mode : {kModeCB, kModeHF})
        if (modeCell.compare(WorkModeName(mode), Qt::CaseInsensitive) == 0)
            row.mode = mode;
    if (row.mode < 0)
        problem(Column::WorkMode, t(ExchangeText::BadWorkMode).arg(modeCell));

    // The memory view shows the memory channels of group A; any group may hold some.
    const QString groupCell = cell(Column::Group).toUpper();
    const int16_t group = GroupNumber(groupCell);
    const bool memoryView = group == kMemoryView;
    row.group = memoryView ? 1 : group;
    if (row.group < 1 || row.group > kGroupCount) {
        row.group = 0;
        problem(Column::Group,
                t(ExchangeText::BadGroup).arg(cell(Column::Group), row.mode >= 0 ? WorkModeName(row.mode) : modeCell));
    }

    const QString name = cell(Column::Channel).toUpper();
    const int id = GetCHID(name);
    const bool wellFormed = !name.isEmpty() && GetCHName(id) == name && id >= 1 && id <= kMaxChannels;
    if (!wellFormed)
        problem(Column::Channel, t(ExchangeText::BadChannelName).arg(cell(Column::Channel)));
    else if (memoryView && id < kFirstMemoryChannel)
        problem(Column::Channel, t(ExchangeText::MemoryViewOnly));
    else
        row.id = id;
    const bool memoryChannel = row.id >= kFirstMemoryChannel;

    QString typed = cell(Column::Frequency);
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    if (!ParseNumber(typed)) {
        problem(Column::Frequency, t(ExchangeText::NotAFrequency).arg(cell(Column::Frequency)));
    } else if (row.mode >= 0) {
        // The same check and raster as a frequency typed into the grid of that work mode.
        CountingPrompt warnings;
        const DocumentState band = bandStateOf(row.mode);
        const ChannelEditContext ctx{doc_, band, warnings, language_};
        row.frequency = NormalizeFrequencyText(typed, ctx);
        if (row.frequency.isEmpty())
            problem(Column::Frequency, t(ExchangeText::OutOfBand).arg(cell(Column::Frequency), band.BandText));
    }

    for (int c = int(Column::FirstDetail); c < kColumnCount; ++c) {
        const Column column = Column(c);
        if (at_[std::size_t(c)] < 0)
            continue;
        const QString value = cell(column);
        int position = -1;
        QStringList offered;
        const DetailField field = detailFieldOf(column);
        if (field == DetailField::Mode) {
            // The modulations the radio has enabled; the memory view offers no PA.
            offered = ModeListItems(doc_.Data.Opt, memoryChannel);
            if (entryPosition(value, {offered}) >= 0)
                position = ModeIndex(value.toUpper());
        } else if (isFixedList(column)) {
            offered = fixedEntries(column, language_);
            position = entryPosition(value, {fixedEntries(column, kEnglish), fixedEntries(column, kChinese)});
        } else {
            offered = {Text(ChannelText::Off, language_), QStringLiteral("1..%1").arg(numberedLimit(column))};
            position = entryPosition(value, {{Text(ChannelText::Off, kEnglish)}, {Text(ChannelText::Off, kChinese)}});
            if (position < 0 && IsDigitsOnly(value) && value.size() <= 2 && value.toInt() <= numberedLimit(column))
                position = value.toInt();
        }
        if (position < 0) {
            const QString shown = field == DetailField::Tsq
                                      ? offered.first() + QStringLiteral(", C_001(67.0Hz) .. ") + offered.last()
                                      : offered.join(QStringLiteral(", "));
            problem(column, t(ExchangeText::NotInList).arg(value, shown));
        } else {
            row.values[std::size_t(c)] = static_cast<int16_t>(position);
        }
    }
    rows_.push_back(row);
}

void CsvImporter::checkGroups()
{
    // Channel names are unique in a group: the first line of each channel, by work mode and group.
    std::map<std::array<int, 3>, int> firstLine;
    std::map<std::pair<int, int>, std::pair<int, bool>> groups; // first line, holds a numbered channel
    const int channelColumn = at_[std::size_t(Column::Channel)] + 1;
    for (const RowData& row : rows_) {
        if (row.mode < 0 || row.group == 0 || row.id == 0)
            continue;
        const auto [it, added] = firstLine.try_emplace({row.mode, row.group, row.id}, row.line);
        if (!added)
            problemAt(row.line, channelColumn,
                      t(ExchangeText::DuplicateChannel).arg(GetCHName(row.id)).arg(it->second));
        auto& group = groups.try_emplace({row.mode, row.group}, row.line, false).first->second;
        group.second = group.second || row.id <= kNumberedChannels;
    }
    // A valid group keeps at least one numbered channel, as the channel window sees to.
    for (const auto& [key, group] : groups)
        if (!group.second && doc_.Data.Opt.GroupValid[key.first][key.second] != 0)
            problemAtLine(group.first,
                          t(ExchangeText::NoNumberedChannel)
                              .arg(GroupLetter(static_cast<int16_t>(key.second)), WorkModeName(key.first)));
}

void CsvImporter::apply()
{
    auto work = std::make_unique<RadioDocument>(doc_);
    std::vector<std::pair<int, int>> named;
    for (const RowData& row : rows_)
        if (std::find(named.begin(), named.end(), std::pair{row.mode, row.group}) == named.end())
            named.emplace_back(row.mode, row.group);

    for (const std::pair<int, int>& place : named) {
        // Plain names, not a structured binding: the lambda below captures them.
        const int mode = place.first;
        const int group = place.second;
        std::vector<const RowData*> incoming;
        for (const RowData& row : rows_)
            if (row.mode == mode && row.group == group)
                incoming.push_back(&row);
        // Channels the group already had keep their place in the list and what the file does
        // not carry (encode tone, transmit frequency, reserved words); new ones follow in file order.
        const int oldCount = ChannelCountOf(doc_, mode, group);
        std::stable_sort(incoming.begin(), incoming.end(), [&](const RowData* a, const RowData* b) {
            const int sa = FindChannelSlot(doc_, mode, group, a->id);
            const int sb = FindChannelSlot(doc_, mode, group, b->id);
            return (sa ? sa : oldCount + 1) < (sb ? sb : oldCount + 1);
        });
        work->Data.ChannelCount[mode][group] = 0;
        for (const RowData* row : incoming) {
            AddChannel(*work, row->id, mode, group, row->frequency);
            ChannelRecord& ch = work->Channels[mode][work->Data.ChannelCount[mode][group]][group];
            if (const int oldSlot = FindChannelSlot(doc_, mode, group, row->id)) {
                const ChannelRecord& old = doc_.Channels[mode][oldSlot][group];
                const FixedText<8> typedFreq = ch.RxFreq;
                ch = old;
                // The same frequency keeps its stored digits, so an unchanged list changes nothing.
                if (frequencyShown(old.RxFreq, *work, mode) != row->frequency)
                    ch.RxFreq = typedFreq;
            }
            for (int c = int(Column::FirstDetail); c < kColumnCount; ++c)
                if (row->values[std::size_t(c)])
                    DetailValue(ch, detailFieldOf(Column(c))) = *row->values[std::size_t(c)];
        }
        RevalidateGroupReferences(*work, mode, group);
    }
    doc_ = *work;
}

ChannelCsvImport CsvImporter::run(const QByteArray& bytes)
{
    QString text = decodeText(bytes);
    QList<CsvRecord> records;
    if (const int openLine = splitCsv(text, detectSeparator(text), records)) {
        problemAtLine(openLine, t(ExchangeText::UnclosedQuote));
        return result_;
    }
    if (records.isEmpty()) {
        problemAtLine(1, t(ExchangeText::NoHeader));
        return result_;
    }
    if (!readHeader(records.first()))
        return result_;
    if (records.size() == 1) {
        problemAtLine(records.first().line, t(ExchangeText::NoRows));
        return result_;
    }
    for (qsizetype i = 1; i < records.size(); ++i)
        readRow(records[i]);
    checkGroups();
    if (!result_.problems.isEmpty())
        return result_;
    apply();
    result_.imported = true;
    result_.channels = int(rows_.size());
    return result_;
}

} // namespace

QByteArray ChannelsToCsv(const RadioDocument& doc)
{
    QStringList lines;
    QStringList header;
    for (int c = 0; c < kColumnCount; ++c)
        header << csvCell(columnName(Column(c), kEnglish));
    lines << header.join(QLatin1Char(','));

    auto scratch = std::make_unique<RadioDocument>(doc);
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            std::vector<const ChannelRecord*> channels;
            const int count = ChannelCountOf(doc, mode, group);
            for (int slot = 1; slot <= count; ++slot)
                channels.push_back(&doc.Channels[mode][slot][group]);
            std::stable_sort(channels.begin(), channels.end(),
                             [](const ChannelRecord* a, const ChannelRecord* b) { return a->ChId < b->ChId; });
            for (const ChannelRecord* ch : channels) {
                if (ch->ChId < 1 || ch->ChId > kMaxChannels)
                    continue;
                QStringList cells{WorkModeName(mode), GroupLetter(static_cast<int16_t>(group)), GetCHName(ch->ChId),
                                  frequencyShown(ch->RxFreq, *scratch, mode)};
                for (int c = int(Column::FirstDetail); c < kColumnCount; ++c)
                    cells << csvCell(cellOf(*ch, Column(c)));
                lines << cells.join(QLatin1Char(','));
            }
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

ChannelCsvImport ImportChannelsFromCsv(const QByteArray& csv, RadioDocument& doc, int language)
{
    return CsvImporter(doc, language).run(csv);
}

QString ImportRefusedText(const ChannelCsvImport& result, int language, int maxProblems)
{
    QStringList lines{Text(ExchangeText::ImportRefused, language)};
    const int shown = std::min<int>(maxProblems, int(result.problems.size()));
    lines << result.problems.mid(0, shown);
    if (result.problems.size() > shown)
        lines << Text(ExchangeText::MoreProblems, language).arg(result.problems.size() - shown);
    return lines.join(QLatin1Char('\n'));
}
