// The roger-beep preview: the order of steps, pauses and passes, where a stop is seen,
// and the samples the player and the WAV file are made of.
#include "FixedClock.h"
#include "document/DataRecord.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/features/RogerPlayback.h"
#include "editors/features/TonePlayer.h"
#include "editors/features/ToneSynthesis.h"

#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

namespace {

using Kind = ToneEvent::Kind;

RogerSeqEntry defaultSequence(int n)
{
    RadioDocument doc;
    BuildDefaultDocument(doc, DocumentState(), FixedClock());
    return doc.Data.RogerSeq[n];
}

QList<ToneEvent> schedule(const RogerSeqEntry& seq)
{
    QList<ToneEvent> events;
    std::optional<RogerPlayback> playback = RogerPlayback::start(seq);
    if (!playback)
        return events;
    for (ToneEvent e = playback->next(seq, false); e.kind != Kind::Finished; e = playback->next(seq, false))
        events << e;
    return events;
}

int zeroCrossings(const std::vector<int16_t>& samples)
{
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        if ((samples[i - 1] < 0) != (samples[i] < 0))
            ++crossings;
    return crossings;
}

} // namespace

class TestTonePreview : public QObject {
    Q_OBJECT
private slots:
    void sequenceTwoOfTheInitialDocument()
    {
        QList<ToneEvent> expected;
        for (int i = 0; i < 7; ++i)
            expected << ToneEvent{Kind::Tone, 800, 40} << ToneEvent{Kind::Silence, 0, 40};
        expected << ToneEvent{Kind::PassPause, 0, 0};
        QCOMPARE(schedule(defaultSequence(2)), expected);
    }
    void passesPausesAndSkippedSteps()
    {
        RogerSeqEntry seq;
        seq.Recycle = 2;
        seq.InterTime = 25;
        seq.Tone[1] = {100, 3}; // 1000 Hz, 30 ms
        seq.Tone[2] = {0, 10};  // "None": 100 ms of silence
        seq.Tone[3] = {4, 2};   // 40 Hz is below what sounds: a pause
        seq.Tone[5] = {200, 0}; // no length: skipped
        const QList<ToneEvent> pass{
            {Kind::Tone, 1000, 30}, {Kind::Silence, 0, 100}, {Kind::Silence, 0, 20}, {Kind::PassPause, 0, 250}};
        QCOMPARE(schedule(seq), pass + pass);
    }
    void nothingPlays_data()
    {
        QTest::addColumn<int>("recycle");
        QTest::addColumn<int>("length");
        QTest::newRow("all lengths 0") << 1 << 0;
        QTest::newRow("Recycle Off") << 0 << 10;
    }
    void nothingPlays()
    {
        QFETCH(int, recycle);
        QFETCH(int, length);
        RogerSeqEntry seq;
        seq.Recycle = int16_t(recycle);
        seq.Tone[1] = {100, int16_t(length)};
        QVERIFY(schedule(seq).isEmpty());
        QVERIFY(RenderSequence(seq).empty());
    }
    void stopDuringThePauseEndsAtTheNextPass()
    {
        RogerSeqEntry seq = defaultSequence(1);
        seq.Recycle = 3;
        seq.InterTime = 50;
        std::optional<RogerPlayback> playback = RogerPlayback::start(seq);
        QVERIFY(playback);
        ToneEvent e;
        int tones = 0;
        while ((e = playback->next(seq, false)).kind != Kind::PassPause)
            tones += e.kind == Kind::Tone ? 1 : 0;
        QCOMPARE(tones, 4);
        QCOMPARE(e.durationMs, 500);
        // Stop pressed while the pause runs: the first step of the next pass sees it.
        QCOMPARE(playback->next(seq, true).kind, Kind::Finished);
        QCOMPARE(playback->next(seq, false).kind, Kind::Finished);
    }
    void stepsAreReadWhenReached()
    {
        RogerSeqEntry seq = defaultSequence(3);
        std::optional<RogerPlayback> playback = RogerPlayback::start(seq);
        QCOMPARE(playback->next(seq, false), (ToneEvent{Kind::Tone, 1700, 30}));
        seq.Tone[2].Freq = 50; // edited while the first step sounds
        QCOMPARE(playback->next(seq, false), (ToneEvent{Kind::Tone, 500, 30}));
        // A stop is seen before the next step is sounded.
        QCOMPARE(playback->next(seq, true).kind, Kind::Finished);
    }

    void stepSamples_data()
    {
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("ms");
        QTest::newRow("800 Hz 40 ms") << 800 << 40;
        QTest::newRow("2100 Hz 100 ms") << 2100 << 100;
        QTest::newRow("400 Hz 2550 ms") << 400 << 2550;
        QTest::newRow("2550 Hz 10 ms") << 2550 << 10;
    }
    void stepSamples()
    {
        QFETCH(int, hz);
        QFETCH(int, ms);
        std::vector<int16_t> samples;
        AppendEventSamples(samples, {Kind::Tone, hz, ms});
        QCOMPARE(int(samples.size()), kToneSampleRate / 1000 * ms);
        // Two zero crossings per period; a partial period at either end counts at most one.
        const double cycles = double(hz) * ms / 1000.0;
        QVERIFY2(std::abs(zeroCrossings(samples) - 2 * cycles) <= 2.0,
                 qPrintable(QStringLiteral("%1 crossings").arg(zeroCrossings(samples))));
        // Faded in and out: no click at either end.
        QVERIFY(std::abs(samples.front()) < 2000 && std::abs(samples.back()) < 2000);
        const auto peak = *std::max_element(samples.begin(), samples.end());
        QVERIFY(peak > 15000);
    }
    void pauseSamples()
    {
        std::vector<int16_t> samples;
        AppendEventSamples(samples, {Kind::Silence, 0, 37});
        AppendEventSamples(samples, {Kind::PassPause, 0, 20});
        QCOMPARE(int(samples.size()), 57 * 48);
        QVERIFY(std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; }));
    }
    void wavFile()
    {
        const std::vector<int16_t> samples = RenderSequence(defaultSequence(2));
        QCOMPARE(int(samples.size()), 14 * 40 * 48);
        const QByteArray wav = WavFile(samples);
        QCOMPARE(wav.size(), 44 + int(samples.size()) * 2);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), quint32(kToneSampleRate));
        QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 34), quint16(16));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 40), quint32(samples.size() * 2));
        QCOMPARE(qFromLittleEndian<qint16>(wav.constData() + 44 + 100), samples[50]);
    }

    void silentPlayerRunsTheSchedule()
    {
        SilentTonePlayer player;
        QSignalSpy finished(&player, &TonePlayer::finished);
        QList<ToneEvent> pulled;
        QList<ToneEvent> events{{Kind::Tone, 800, 20}, {Kind::Silence, 0, 10}, {Kind::PassPause, 0, 0}, {}};
        player.start([&] {
            pulled << events.first();
            return events.takeFirst();
        });
        QVERIFY(pulled.isEmpty()); // never calls back from start
        QVERIFY(player.isPlaying());
        QVERIFY(finished.wait(5000));
        QCOMPARE(pulled.size(), 4);
        QVERIFY(!player.isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestTonePreview)
#include "test_tone_preview.moc"
