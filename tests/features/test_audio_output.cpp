// The preview through the real audio path: a private PulseAudio server with a null sink
// stands in for a sound card, and its monitor records what the player sounded. Without
// pulseaudio the test is skipped; without any server the player must run silently.
#include "FixedClock.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/features/AudioTonePlayer.h"
#include "editors/features/RogerPlayback.h"
#include "editors/features/ToneSynthesis.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

RogerSeqEntry defaultSequence(int n)
{
    RadioDocument doc;
    BuildDefaultDocument(doc, DocumentState(), FixedClock());
    return doc.Data.RogerSeq[n];
}

// Plays a sequence to its end; false when `finished` did not come.
bool playToEnd(AudioTonePlayer& player, const RogerSeqEntry& seq, bool* noDevice)
{
    std::optional<RogerPlayback> playback = RogerPlayback::start(seq);
    QSignalSpy finished(&player, &TonePlayer::finished);
    QSignalSpy missing(&player, &TonePlayer::noSoundDevice);
    player.start([&] { return playback->next(seq, false); });
    const bool ended = finished.count() > 0 || finished.wait(15000);
    *noDevice = missing.count() > 0;
    return ended;
}

} // namespace

class TestAudioOutput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void soundsOnTheNullSink();

private:
    QTemporaryDir runtime_;
    QProcess server_;
};

void TestAudioOutput::initTestCase()
{
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (pulseaudio.isEmpty() || parec.isEmpty())
        QSKIP("pulseaudio and parec (packages pulseaudio, pulseaudio-utils) are not installed");
    // The server and every client of this test meet in a runtime folder of their own.
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    qputenv("PULSE_RUNTIME_PATH", (runtime_.path() + QStringLiteral("/pulse")).toUtf8());
    qunsetenv("PULSE_SERVER");
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(pulseaudio,
                  {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                   QStringLiteral("--load=module-null-sink sink_name=nullsink"),
                   QStringLiteral("--load=module-native-protocol-unix")});
    if (!server_.waitForStarted(5000))
        QSKIP("pulseaudio does not start");
    const QString socket = runtime_.path() + QStringLiteral("/pulse/native");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket) || server_.state() == QProcess::NotRunning, 10000);
    if (!QFile::exists(socket))
        QSKIP(qPrintable(QStringLiteral("pulseaudio ended: ") + QString::fromLocal8Bit(server_.readAll())));
}

void TestAudioOutput::cleanupTestCase()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
    }
}

void TestAudioOutput::soundsOnTheNullSink()
{
    QProcess recorder;
    const QString raw = runtime_.path() + QStringLiteral("/recorded.raw");
    recorder.start(QStringLiteral("parec"),
                   {QStringLiteral("-d"), QStringLiteral("nullsink.monitor"), QStringLiteral("--latency-msec=10"),
                    QStringLiteral("--raw"), QStringLiteral("--format=s16le"), QStringLiteral("--rate=48000"),
                    QStringLiteral("--channels=1"), raw});
    QVERIFY(recorder.waitForStarted(5000));
    QTest::qWait(300); // the recorder is connected before the first sample is played

    AudioTonePlayer player;
    bool noDevice = false;
    QVERIFY(playToEnd(player, defaultSequence(2), &noDevice));
    QVERIFY2(!noDevice, "the null sink was not found as a sound device");
    QTest::qWait(300);
    recorder.terminate();
    QVERIFY(recorder.waitForFinished(5000));

    QFile f(raw);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const auto* samples = reinterpret_cast<const int16_t*>(bytes.constData());
    const qsizetype count = bytes.size() / 2;
    // Seven beeps of 800 Hz and 40 ms: about 7 x 32 periods of loud samples.
    qsizetype loud = 0;
    int crossings = 0;
    for (qsizetype i = 1; i < count; ++i) {
        loud += std::abs(samples[i]) > 1000 ? 1 : 0;
        if (std::abs(samples[i]) > 300 && std::abs(samples[i - 1]) > 300 && (samples[i] < 0) != (samples[i - 1] < 0))
            ++crossings;
    }
    QVERIFY2(loud > 7 * 40 * 48 / 3, qPrintable(QStringLiteral("%1 loud samples of %2").arg(loud).arg(count)));
    QVERIFY2(crossings > 7 * 64 * 3 / 4 && crossings < 7 * 64 * 5 / 4, qPrintable(QString::number(crossings)));
}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TestAudioOutput test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_audio_output.moc"
