#include "files/DataFile.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "files/FileAccess.h"
#include "files/VersionTable.h"
#include "i18n/Texts.h"
#include "session/AppState.h"
#include "session/UserPrompt.h"

#include <QFileInfo>

#include <array>
#include <cstring>
#include <memory>
#include <type_traits>

namespace {

// ---------------------------------------------------------------------------
// Serialisation. One description of each record serves both directions: the
// Writer appends, the Reader consumes, so the layout exists exactly once.
// Integers are 2 bytes, longs 4, little-endian; texts one byte per character.

class Writer {
public:
    explicit Writer(QByteArray& out) : out_(out) {}
    void number(int16_t value) { put(static_cast<uint32_t>(static_cast<uint16_t>(value)), 2); }
    void number(int32_t value) { put(static_cast<uint32_t>(value), 4); }
    template <int N> void text(const FixedText<N>& field) { out_.append(field.bytes.data(), N); }

private:
    void put(uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i)
            out_.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    QByteArray& out_;
};

class Reader {
public:
    explicit Reader(const char* bytes) : at_(reinterpret_cast<const uint8_t*>(bytes)) {}
    void number(int16_t& value) { value = static_cast<int16_t>(static_cast<uint16_t>(get(2))); }
    void number(int32_t& value) { value = static_cast<int32_t>(get(4)); }
    template <int N> void text(FixedText<N>& field)
    {
        std::memcpy(field.bytes.data(), at_, N);
        at_ += N;
    }

private:
    uint32_t get(int size)
    {
        uint32_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<uint32_t>(at_[i]) << (8 * i);
        at_ += size;
        return value;
    }
    const uint8_t* at_;
};

// Tables [mode 0..1][x]: the mode varies fastest, (0,1), (1,1), (0,2), ...
template <typename Io, typename Table> void modeTable(Io& io, Table& table)
{
    using Inner = std::remove_cvref_t<decltype(table[0])>;
    for (int x = Inner::low; x <= Inner::high; ++x) {
        for (int mode = 0; mode <= 1; ++mode) {
            auto& element = table[mode][x];
            if constexpr (requires { element.bytes; })
                io.text(element);
            else
                io.number(element);
        }
    }
}

template <typename Io, typename Array> void numberArray(Io& io, Array& array)
{
    for (int i = Array::low; i <= Array::high; ++i)
        io.number(array[i]);
}

template <typename Io, typename Opt> void optionLayout(Io& io, Opt& opt)
{
    modeTable(io, opt.GroupValid); // 0
    modeTable(io, opt.GroupName);  // 40
    modeTable(io, opt.EmgCh1);     // 120
    modeTable(io, opt.EmgCh2);     // 160
    io.number(opt.WorkModeValid);  // 200
    io.number(opt.OptWorkMode);
    io.number(opt.CBWorkGroup);
    io.number(opt.HFWorkGroup);
    io.number(opt.VoxFunction);
    io.number(opt.ChannelMode);
    io.number(opt.MemMenu);    // 212
    modeTable(io, opt.WorkCh); // 214
    modeTable(io, opt.DwCh1);  // 254
    modeTable(io, opt.DwCh2);  // 294
    modeTable(io, opt.MemCh);  // 334
    io.number(opt.PubBot);     // 374
    io.number(opt.PubEot);
    io.number(opt.PubCall);
    io.number(opt.Rtix);
    io.number(opt.Ttix);
    io.number(opt.PubHiCut);
    io.number(opt.PubNbAnl);
    io.number(opt.PubEcho);
    io.number(opt.PubAdd10k);
    io.number(opt.PubBusy);
    io.number(opt.PubRoger);
    io.number(opt.Beep);
    io.number(opt.TxDisplay);
    io.number(opt.MicLevel);
    io.number(opt.Nog);
    io.number(opt.TotTime);
    io.number(opt.SwrProtect);
    io.number(opt.VoltProtect);
    io.number(opt.ScanMode);
    io.number(opt.Fin);
    io.number(opt.BacklightColor);
    io.number(opt.MenuPage);
    io.number(opt.VoltMin);
    io.number(opt.VoltMax);
    io.number(opt.SwrMax);
    io.number(opt.PubMode);          // 424
    numberArray(io, opt.ModeEnable); // 426
    io.number(opt.DtmfSendTime);     // 436
    io.number(opt.DtmfFirstDigitTime);
    io.number(opt.DtmfFirstDigitDelay);
    io.number(opt.DtmfStarHashTone);
    io.number(opt.DtmfDKey);
    io.number(opt.DtmfDisplay);   // 446
    for (int i = 1; i <= 16; ++i) // 448
        io.text(opt.AutodialCode[i]);
}

template <typename Io, typename Record> void dataRecordLayout(Io& io, Record& data)
{
    io.text(data.DataVersion);        // 0
    io.number(data.WorkMode);         // 4
    numberArray(io, data.CurGroup);   // 6
    modeTable(io, data.CurChannel);   // 10
    modeTable(io, data.ChannelCount); // 54
    io.text(data.ModelName);          // 94
    io.number(data.ModelCode);        // 101
    io.number(data.BandCode);         // 103
    io.text(data.CreateDate);         // 105
    io.text(data.SoftVersion);        // 113
    io.text(data.ModelShort);         // 118
    io.number(data.ModelBand);        // 124
    io.number(data.ModelKind);        // 126
    optionLayout(io, data.Opt);       // 128
    for (int i = 1; i <= 8; ++i) {    // 832, 60 bytes each
        auto& entry = data.RogerSeq[i];
        for (int j = 1; j <= 14; ++j) {
            io.number(entry.Tone[j].Freq);
            io.number(entry.Tone[j].Length);
        }
        io.number(entry.Recycle);   // +56
        io.number(entry.InterTime); // +58
    }
    io.number(data.TxOffset);        // 1312
    io.number(data.FreqChMode);      // 1316
    io.number(data.AsqLevel);        // 1318
    numberArray(io, data.RssiLevel); // 1320 .. 1343
}

template <typename Io, typename Record> void channelRecordLayout(Io& io, Record& ch)
{
    io.number(ch.ChId); // 0
    io.number(ch.InUse);
    io.number(ch.Scan);
    io.text(ch.RxFreq);      // 6
    io.text(ch.TxFreq);      // 14
    io.number(ch.Reserved1); // 22
    io.number(ch.Reserved2);
    io.number(ch.TsqCode); // 26
    io.number(ch.EncCode);
    io.number(ch.Modulation); // 30
    io.number(ch.HiCut);
    io.number(ch.NbAnl);
    io.number(ch.Echo);
    io.number(ch.Add10k);
    io.number(ch.BusyLock); // 40
    io.number(ch.RogerTone);
    io.number(ch.RptShift);
    io.number(ch.PublicCh);
    io.number(ch.BotCode); // 48
    io.number(ch.EotCode);
    io.number(ch.CallCode); // 52
}

bool countsInRange(const DataRecord& data)
{
    for (int mode = 0; mode <= 1; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = data.ChannelCount[mode][group];
            if (count < 0 || count > kMaxChannels)
                return false;
        }
    }
    return true;
}

// The channel file: mode 0 then 1, groups 1..10, positions 1..count.
template <typename Visit> void forEachCountedPosition(const DataRecord& data, Visit visit)
{
    for (int mode = 0; mode <= 1; ++mode)
        for (int group = 1; group <= kGroupCount; ++group)
            for (int pos = 1; pos <= data.ChannelCount[mode][group]; ++pos)
                visit(mode, pos, group);
}

QByteArray serializeChannelFile(const RadioDocument& saved)
{
    QByteArray bytes;
    forEachCountedPosition(saved.Data, [&](int mode, int pos, int group) {
        bytes.append(SerializeChannelRecord(saved.Channels[mode][pos][group]));
    });
    return bytes;
}

// Only the counted positions travel between a document and a copy of it, as
// everywhere else: the slots above a count keep what they held.
void copyCountedDocument(const RadioDocument& from, RadioDocument& to)
{
    to.Data = from.Data;
    forEachCountedPosition(from.Data, [&](int mode, int pos, int group) {
        to.Channels[mode][pos][group] = from.Channels[mode][pos][group];
    });
}

// Reads and checks a whole pair into out; out is untouched on failure.
bool readDocumentPair(const QString& dataFilePath, const QByteArray& dataBytes, bool stampVersion, RadioDocument& out)
{
    if (dataBytes.size() < kDataFileSize)
        return false;
    auto parsed = std::make_unique<RadioDocument>();
    parsed->Data = ParseDataRecord(dataBytes.left(kDataFileSize));
    if (stampVersion)
        parsed->Data.DataVersion.set(kProgVersion);
    if (!ReadChannelFile(dataFilePath, *parsed))
        return false;
    if (!ValidateDocumentFromDisk(*parsed))
        return false;
    copyCountedDocument(*parsed, out);
    return true;
}

void commitLoadedPair(AppState& app, const RadioDocument& loaded)
{
    copyCountedDocument(loaded, app.Saved);
    SavedToDocument(app.Doc, app.Saved, app.DocState);
}

QString templatePath(const AppState& app, const QString& name)
{
    return app.Paths.initFolder() + QLatin1Char('/') + QString::number(BandCodeOf(app.DocState.BandText)) +
           QLatin1Char('_') + name;
}

} // namespace

QByteArray SerializeDataRecord(const DataRecord& data)
{
    QByteArray bytes;
    bytes.reserve(kDataFileSize);
    Writer writer(bytes);
    dataRecordLayout(writer, data);
    return bytes;
}

DataRecord ParseDataRecord(const QByteArray& bytes)
{
    DataRecord data;
    if (bytes.size() < kDataFileSize)
        return data;
    Reader reader(bytes.constData());
    dataRecordLayout(reader, data);
    return data;
}

QByteArray SerializeChannelRecord(const ChannelRecord& record)
{
    QByteArray bytes;
    bytes.reserve(kChannelRecordSize);
    Writer writer(bytes);
    channelRecordLayout(writer, record);
    return bytes;
}

ChannelRecord ParseChannelRecord(const char* bytes)
{
    ChannelRecord record;
    Reader reader(bytes);
    channelRecordLayout(reader, record);
    return record;
}

QString ChannelFilePath(const QString& dataFilePath)
{
    return dataFilePath.left(std::max<qsizetype>(0, dataFilePath.size() - 3)) + QStringLiteral("fre");
}

bool ValidateDocumentFromDisk(RadioDocument& doc)
{
    DataRecord& data = doc.Data;
    if (!countsInRange(data))
        return false;
    for (int mode = 0; mode <= 1; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            std::array<bool, kMaxChannels + 1> seen{};
            for (int pos = 1; pos <= data.ChannelCount[mode][group]; ++pos) {
                const int id = doc.Channels[mode][pos][group].ChId;
                if (id < 1 || id > kMaxChannels || seen[static_cast<std::size_t>(id)])
                    return false;
                seen[static_cast<std::size_t>(id)] = true;
            }
        }
    }

    // The view fields only say where the editor stands; a stray value there is
    // put back to the first row rather than refusing the whole file.
    if (data.WorkMode != kModeCB && data.WorkMode != kModeHF)
        data.WorkMode = kModeHF;
    for (int mode = 0; mode <= 1; ++mode) {
        if (data.CurGroup[mode] < 1 || data.CurGroup[mode] > kMemoryView)
            data.CurGroup[mode] = 1;
        for (int group = 1; group <= kMemoryView; ++group) {
            const int rows = group == kMemoryView ? kMaxChannels - kNumberedChannels : kNumberedChannels;
            int16_t& row = data.CurChannel[mode][group];
            if (row < 1 || row > rows)
                row = 1;
        }
    }
    return true;
}

bool IsUsableDataPath(const QString& dataFilePath)
{
    // The three characters that make the channel file's name must belong to the data file's
    // own name: otherwise the channel file lands in another folder ("docs/a" gives "docfre").
    if (dataFilePath.size() - 3 <= dataFilePath.lastIndexOf(QLatin1Char('/')))
        return false;
    // A data file that already ends in "fre" would be its own channel file; the comparison
    // ignores case because a memory stick's file system does.
    const QString channelFilePath = ChannelFilePath(dataFilePath);
    if (channelFilePath.compare(dataFilePath, Qt::CaseInsensitive) == 0)
        return false;
    // A folder, a device or a pipe under either name is never replaced by a file.
    for (const QString& path : {dataFilePath, channelFilePath}) {
        const QFileInfo info(path);
        if (info.exists() && !info.isFile())
            return false;
    }
    return true;
}

QString WithDataFileExtension(const QString& name)
{
    const QString fileName = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (fileName.isEmpty())
        return name;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return name + QStringLiteral(".dat");
    if (dot == fileName.size() - 1)
        return name + QStringLiteral("dat");
    return name;
}

bool AddDocumentPair(AtomicFileSet& files, const QString& dataFilePath, const RadioDocument& saved)
{
    if (!countsInRange(saved.Data) || !IsUsableDataPath(dataFilePath))
        return false;
    // Extra records in a channel file are harmless, missing ones are not: the channel file
    // goes first so a data file never outruns its channels.
    files.add(ChannelFilePath(dataFilePath), serializeChannelFile(saved));
    files.add(dataFilePath, SerializeDataRecord(saved.Data));
    return true;
}

bool WriteDocumentPair(const QString& dataFilePath, const RadioDocument& saved, const ReplaceFile& replace)
{
    AtomicFileSet pair(replace);
    return AddDocumentPair(pair, dataFilePath, saved) && pair.commit();
}

bool WriteChannelFile(const QString& dataFilePath, const RadioDocument& saved)
{
    if (!countsInRange(saved.Data) || !IsUsableDataPath(dataFilePath))
        return false;
    return WriteFileAtomically(ChannelFilePath(dataFilePath), serializeChannelFile(saved));
}

bool ReadChannelFile(const QString& dataFilePath, RadioDocument& saved)
{
    if (!countsInRange(saved.Data))
        return false;
    qsizetype needed = 0;
    forEachCountedPosition(saved.Data, [&](int, int, int) { needed += kChannelRecordSize; });
    QByteArray bytes;
    if (!ReadRegularFile(ChannelFilePath(dataFilePath), needed, bytes) || bytes.size() < needed)
        return false;
    qsizetype offset = 0;
    forEachCountedPosition(saved.Data, [&](int mode, int pos, int group) {
        saved.Channels[mode][pos][group] = ParseChannelRecord(bytes.constData() + offset);
        offset += kChannelRecordSize;
    });
    return true;
}

OpenResult OpenDataFile(AppState& app, UserPrompt& prompt, ProgramLauncher& launcher)
{
    const int language = app.Settings.LanguageIndex;
    const QString path = app.DocState.DocPath;
    QByteArray bytes;
    qint64 fileSize = 0;
    if (!ReadRegularFile(path, kDataFileSize, bytes, &fileSize)) {
        prompt.tell(PromptId::FileError, Text(Msg::FileError, language));
        return OpenResult::Refused;
    }

    const QString version = TrimFixed(QString::fromLatin1(bytes.left(4)));
    if (!IsValidVersionCode(version)) {
        prompt.tell(PromptId::UnknownDataVersion, Text(Msg::UnknownDataVersion, language));
        return OpenResult::Refused;
    }
    if (!IsCompatibleVersion(app.Versions, kProgVersion, version)) {
        const QString question = BuildVersionMessage(kProgVersion, version, 1, language);
        if (prompt.ask(PromptId::StartOtherVersion, question, PromptButtons::YesNo, PromptIcon::None) ==
                PromptAnswer::Yes &&
            !LaunchVersion(app.Versions, app.Paths, version, prompt, language, launcher))
            prompt.tell(PromptId::FileError, Text(Msg::FileError, language));
        return OpenResult::Refused;
    }
    if (fileSize != kDataFileSize || bytes.size() != kDataFileSize) {
        prompt.tell(PromptId::FileError, Text(Msg::FailToStart, language));
        return OpenResult::Refused;
    }

    auto loaded = std::make_unique<RadioDocument>();
    if (!readDocumentPair(path, bytes, true, *loaded)) {
        prompt.tell(PromptId::FileError, Text(Msg::FileError, language));
        return OpenResult::Refused;
    }
    commitLoadedPair(app, *loaded);
    app.DocState.IsNewDoc = 0; // the document now has a file of its own
    return OpenResult::Opened;
}

bool SaveDataFile(AppState& app, UserPrompt& prompt)
{
    AtomicFileSet files;
    return SaveDataFile(app, prompt, files);
}

bool SaveDataFile(AppState& app, UserPrompt& prompt, AtomicFileSet& alongside)
{
    // If the pair cannot be written the saved copy must go on describing what is
    // on disk, or the unsaved edits would no longer count as changes.
    auto previous = std::make_unique<RadioDocument>(app.Saved);
    DocumentToSaved(app.Doc, app.Saved, app.DocState);
    if (!AddDocumentPair(alongside, app.DocState.DocPath, app.Saved) || !alongside.commit()) {
        app.Saved = *previous;
        prompt.tell(PromptId::FileError, Text(Msg::FileError, app.Settings.LanguageIndex));
        return false;
    }
    app.DocState.IsNewDoc = 0; // the document now has a file of its own
    return true;
}

bool LoadTemplate(AppState& app, const QString& dataFilePath)
{
    QByteArray bytes;
    auto loaded = std::make_unique<RadioDocument>();
    if (!ReadRegularFile(dataFilePath, kDataFileSize, bytes) ||
        !readDocumentPair(dataFilePath, bytes, false, *loaded)) {
        DocumentToSaved(app.Doc, app.Saved, app.DocState);
        return false;
    }
    commitLoadedPair(app, *loaded);
    return true;
}

QString NewTemplatePath(const AppState& app)
{
    return templatePath(app, QStringLiteral("MH5120_New.dat"));
}

QString InitTemplatePath(const AppState& app)
{
    return templatePath(app, QStringLiteral("MH5120.dat"));
}

bool LoadNewTemplate(AppState& app)
{
    return LoadTemplate(app, NewTemplatePath(app));
}

bool LoadInitTemplate(AppState& app)
{
    return LoadTemplate(app, InitTemplatePath(app));
}

bool IsDocumentUnchanged(const RadioDocument& doc, const RadioDocument& saved)
{
    const DataRecord& cur = doc.Data;
    const DataRecord& old = saved.Data;
    if (!countsInRange(cur) || !countsInRange(old))
        return false;

    for (int mode = 0; mode <= 1; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            const int count = old.ChannelCount[mode][group];
            if (cur.ChannelCount[mode][group] != count)
                return false;
            for (int pos = 1; pos <= count; ++pos) {
                const ChannelRecord& s = saved.Channels[mode][pos][group];
                const ChannelRecord* c = &doc.Channels[mode][pos][group];
                if (c->ChId != s.ChId) {
                    c = nullptr;
                    for (int other = 1; other <= count && !c; ++other) {
                        if (doc.Channels[mode][other][group].ChId == s.ChId)
                            c = &doc.Channels[mode][other][group];
                    }
                    if (!c)
                        return false;
                }
                // TxFreq, the reserved words and the roger tone are not compared.
                if (c->ChId != s.ChId || c->InUse != s.InUse || c->Scan != s.Scan || c->RxFreq != s.RxFreq ||
                    c->TsqCode != s.TsqCode || c->EncCode != s.EncCode || c->Modulation != s.Modulation ||
                    c->HiCut != s.HiCut || c->NbAnl != s.NbAnl || c->Echo != s.Echo || c->Add10k != s.Add10k ||
                    c->BusyLock != s.BusyLock || c->RptShift != s.RptShift || c->PublicCh != s.PublicCh ||
                    c->BotCode != s.BotCode || c->EotCode != s.EotCode || c->CallCode != s.CallCode)
                    return false;
            }
        }
    }

    if (cur.ModelName != old.ModelName || cur.SoftVersion != old.SoftVersion || cur.CreateDate != old.CreateDate ||
        cur.ModelShort != old.ModelShort || cur.ModelKind != old.ModelKind || cur.ModelBand != old.ModelBand ||
        cur.ModelCode != old.ModelCode || cur.BandCode != old.BandCode)
        return false;

    const OptionRecord& a = cur.Opt;
    const OptionRecord& b = old.Opt;
    for (int mode = 0; mode <= 1; ++mode) {
        for (int group = 1; group <= kGroupCount; ++group) {
            if (TrimFixed(a.GroupName[mode][group].text()) != TrimFixed(b.GroupName[mode][group].text()) ||
                a.GroupValid[mode][group] != b.GroupValid[mode][group] ||
                a.EmgCh1[mode][group] != b.EmgCh1[mode][group] || a.EmgCh2[mode][group] != b.EmgCh2[mode][group] ||
                a.WorkCh[mode][group] != b.WorkCh[mode][group] || a.DwCh1[mode][group] != b.DwCh1[mode][group] ||
                a.DwCh2[mode][group] != b.DwCh2[mode][group] || a.MemCh[mode][group] != b.MemCh[mode][group])
                return false;
        }
    }
    // Rtix, Ttix and PubRoger are not compared.
    if (a.WorkModeValid != b.WorkModeValid || a.OptWorkMode != b.OptWorkMode || a.CBWorkGroup != b.CBWorkGroup ||
        a.HFWorkGroup != b.HFWorkGroup || a.VoxFunction != b.VoxFunction || a.ChannelMode != b.ChannelMode ||
        a.MemMenu != b.MemMenu || a.PubBot != b.PubBot || a.PubEot != b.PubEot || a.PubCall != b.PubCall ||
        a.PubHiCut != b.PubHiCut || a.PubNbAnl != b.PubNbAnl || a.PubEcho != b.PubEcho || a.PubAdd10k != b.PubAdd10k ||
        a.PubBusy != b.PubBusy || a.Beep != b.Beep || a.TxDisplay != b.TxDisplay || a.MicLevel != b.MicLevel ||
        a.Nog != b.Nog || a.TotTime != b.TotTime || a.SwrProtect != b.SwrProtect || a.VoltProtect != b.VoltProtect ||
        a.ScanMode != b.ScanMode || a.Fin != b.Fin || a.BacklightColor != b.BacklightColor ||
        a.MenuPage != b.MenuPage || a.VoltMin != b.VoltMin || a.VoltMax != b.VoltMax || a.SwrMax != b.SwrMax ||
        a.PubMode != b.PubMode || a.ModeEnable != b.ModeEnable || a.DtmfSendTime != b.DtmfSendTime ||
        a.DtmfFirstDigitTime != b.DtmfFirstDigitTime || a.DtmfFirstDigitDelay != b.DtmfFirstDigitDelay ||
        a.DtmfStarHashTone != b.DtmfStarHashTone || a.DtmfDKey != b.DtmfDKey || a.DtmfDisplay != b.DtmfDisplay)
        return false;
    for (int i = 1; i <= 16; ++i) {
        if (TrimFixed(a.AutodialCode[i].text()) != TrimFixed(b.AutodialCode[i].text()))
            return false;
    }

    return cur.TxOffset == old.TxOffset && cur.FreqChMode == old.FreqChMode && cur.AsqLevel == old.AsqLevel &&
           cur.RssiLevel == old.RssiLevel && cur.RogerSeq == old.RogerSeq;
}
