// `export` and `import` of the command-line tool: a channel list that goes out and comes back
// gives the radio the same channels, a refused list writes nothing, and the JSON names fields.
#include "CliRunner.h"
#include "FileBytes.h"
#include "FixedClock.h"

#include "document/Conversions.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<RadioDocument> startupDocument()
{
    auto doc = std::make_unique<RadioDocument>();
    DocumentState state;
    BuildDefaultDocument(*doc, state, FixedClock());
    return doc;
}

bool savePair(const QString& path, RadioDocument& doc)
{
    auto saved = std::make_unique<RadioDocument>();
    DocumentState state;
    DocumentToSaved(doc, *saved, state);
    return WriteDocumentPair(path, *saved);
}

// A document as the windows could leave it: random channels of random numbers in every group,
// typed frequencies inside the band, every setting from its selector's list, references to
// channels the group holds, and random modulation enables.
std::unique_ptr<RadioDocument> randomDocument(quint32 seed)
{
    QRandomGenerator rng(seed);
    const auto r = [&rng](int low, int high) { return int(rng.bounded(low, high + 1)); };
    auto doc = startupDocument();
    OptionRecord& opt = doc->Data.Opt;
    for (int i = 0; i <= 4; ++i)
        opt.ModeEnable[i] = int16_t(r(0, 1));
    opt.ModeEnable[r(0, 3)] = 1; // the memory channels need one modulation that is not PA
    for (int mode = kModeCB; mode <= kModeHF; ++mode) {
        const int low = mode == kModeCB ? 256150 : 280000; // in 100 Hz
        const int high = mode == kModeCB ? 301050 : 296990;
        for (int group = 1; group <= kGroupCount; ++group) {
            std::vector<int> ids;
            for (int id = 1; id <= kMaxChannels; ++id)
                if (rng.bounded(4) == 0)
                    ids.push_back(id);
            ids.push_back(r(1, kNumberedChannels));
            std::sort(ids.begin(), ids.end());
            ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
            std::shuffle(ids.begin(), ids.end(), rng);
            doc->Data.ChannelCount[mode][group] = 0;
            std::vector<int> numbered;
            for (int id : ids) {
                AddChannel(*doc, id, mode, group, FormatFixed(r(low, high) / 10000.0, 4));
                ChannelRecord& ch = doc->Channels[mode][doc->Data.ChannelCount[mode][group]][group];
                std::vector<int16_t> modes;
                for (int m = 0; m <= (id > kNumberedChannels ? 3 : 4); ++m)
                    if (opt.ModeEnable[m])
                        modes.push_back(int16_t(m));
                ch.Modulation = modes[rng.bounded(quint32(modes.size()))];
                ch.TsqCode = int16_t(r(0, 142));
                ch.Scan = int16_t(r(0, 1));
                for (int16_t* flag : {&ch.HiCut, &ch.NbAnl, &ch.Echo, &ch.Add10k, &ch.BusyLock, &ch.PublicCh})
                    *flag = int16_t(r(0, 1));
                ch.RptShift = int16_t(r(0, 2));
                ch.RogerTone = int16_t(r(0, 8));
                ch.BotCode = int16_t(r(0, 16));
                ch.EotCode = int16_t(r(0, 16));
                ch.CallCode = int16_t(r(0, 16));
                if (id <= kNumberedChannels)
                    numbered.push_back(id);
            }
            for (ModeGroupTable<int16_t>* ref : {&opt.EmgCh1, &opt.EmgCh2, &opt.WorkCh, &opt.DwCh1, &opt.DwCh2})
                (*ref)[mode][group] = int16_t(numbered[rng.bounded(quint32(numbered.size()))]);
            opt.GroupValid[mode][group] = int16_t(r(0, 1));
        }
    }
    return doc;
}

} // namespace

class TestCliChannelExchange : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    // The list goes out of a random document and into the same document with the start-up
    // channels in every group: the radio gets the same image.
    void roundTripGivesTheSameImage_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void roundTripGivesTheSameImage()
    {
        QFETCH(quint32, seed);
        auto original = randomDocument(seed);
        QVERIFY(savePair(path("original.dat"), *original));
        auto base = std::make_unique<RadioDocument>(*original);
        const auto startup = startupDocument();
        base->Data.ChannelCount = startup->Data.ChannelCount;
        base->Channels = startup->Channels;
        QVERIFY(savePair(path("base.dat"), *base));

        CliRun run = runCli({"export", path("original.dat"), path("list.csv")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        run = runCli({"import", path("list.csv"), path("base.dat"), path("imported.dat")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(runCli({"encode", path("original.dat"), path("original.img")}).code, 0);
        QCOMPARE(runCli({"encode", path("base.dat"), path("base.img")}).code, 0);
        QCOMPARE(runCli({"encode", path("imported.dat"), path("imported.img")}).code, 0);
        QVERIFY(bytesOf(path("base.img")) != bytesOf(path("original.img")));
        QCOMPARE(bytesOf(path("imported.img")), bytesOf(path("original.img")));
        // Exported again, the list reads the same.
        QCOMPARE(runCli({"export", path("imported.dat"), path("again.csv")}).code, 0);
        QCOMPARE(bytesOf(path("again.csv")), bytesOf(path("list.csv")));
    }

    void refusedListWritesNothing()
    {
        QCOMPARE(runCli({"new", path("new.dat")}).code, 0);
        QVERIFY(writeBytes(path("bad.csv"), "Work Mode,Group,CH No.,Frequency\nCB,A,1,28.0150\nHF,A,2,30.5\n"));
        const CliRun run = runCli({"import", path("bad.csv"), path("new.dat"), path("out.dat")});
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, QStringLiteral("The channels were not imported:\nline 3, column 4 (Frequency): 30.5 is "
                                         "outside the band 28.0000 - 29.6990 MHz\n"));
        QVERIFY(!QFile::exists(path("out.dat")));
        QVERIFY(!QFile::exists(path("out.fre")));
        QCOMPARE(runCli({"import", path("missing.csv"), path("new.dat"), path("out.dat")}).code, 1);
        QVERIFY(!QFile::exists(path("out.dat")));
    }

    void jsonNamesTheFields()
    {
        QCOMPARE(runCli({"new", path("j.dat")}).code, 0);
        const CliRun run = runCli({"export", "--json", path("j.dat"), path("j.json")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QJsonParseError error;
        const QJsonObject root = QJsonDocument::fromJson(bytesOf(path("j.json")), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(root.value("header").toObject().value("ModelName").toString(), QStringLiteral("MH5120"));
        QCOMPARE(root.value("options").toObject().value("MicLevel").toInt(), 30);
        const QJsonArray groups = root.value("groups").toArray();
        QCOMPARE(groups.size(), 20);
        const QJsonObject groupE = groups.at(4).toObject();
        QCOMPARE(groupE.value("group").toString(), QStringLiteral("E"));
        const QJsonObject first = groupE.value("channels").toArray().at(0).toObject();
        QCOMPARE(first.value("name").toString(), QStringLiteral("1"));
        QCOMPARE(first.value("frequency").toString(), QStringLiteral("28.0550"));
        QCOMPARE(first.value("tone").toString(), QStringLiteral("C_008(88.5Hz)"));
        QCOMPARE(root.value("dtmf").toObject().value("AutodialCode").toArray().size(), 16);
        QCOMPARE(root.value("rogerBeeps")
                     .toArray()
                     .at(0)
                     .toObject()
                     .value("Tone")
                     .toArray()
                     .at(0)
                     .toObject()
                     .value("Freq")
                     .toInt(),
                 210);
    }

    void usageNamesTheCommands()
    {
        const CliRun run = runCli({"export"});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains("trk5120-cli export [--json] IN.dat OUT.csv"));
        QVERIFY(run.err.contains("trk5120-cli import IN.csv BASE.dat OUT.dat"));
        QCOMPARE(runCli({"import", "--json", "a", "b", "c"}).code, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliChannelExchange)
#include "tst_CliChannelExchange.moc"
