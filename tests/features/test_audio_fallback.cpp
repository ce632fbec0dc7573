// A machine without a sound server: the preview runs its whole schedule silently and says
// once that there is no sound device; nothing hangs.
#include "FixedClock.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "editors/features/AudioTonePlayer.h"
#include "editors/features/RogerPlayback.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestAudioFallback : public QObject {
    Q_OBJECT
private slots:
    void playsSilentlyWithoutASoundDevice()
    {
        RadioDocument doc;
        BuildDefaultDocument(doc, DocumentState(), FixedClock());
        const RogerSeqEntry& seq = doc.Data.RogerSeq[2];
        std::optional<RogerPlayback> playback = RogerPlayback::start(seq);
        AudioTonePlayer player;
        QSignalSpy finished(&player, &TonePlayer::finished);
        QSignalSpy missing(&player, &TonePlayer::noSoundDevice);
        int pulled = 0;
        player.start([&] {
            ++pulled;
            return playback->next(seq, false);
        });
        QVERIFY(finished.wait(10000));
        QCOMPARE(missing.count(), 1);
        QCOMPARE(pulled, 14 + 1 + 1); // fourteen steps, the pause after the pass, the end
        QVERIFY(!player.isPlaying());
    }
};

int main(int argc, char** argv)
{
    // No server can be reached from here, whatever the machine runs.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    qputenv("PULSE_RUNTIME_PATH", runtime.path().toUtf8());
    qputenv("PULSE_SERVER", (QStringLiteral("unix:") + runtime.path() + QStringLiteral("/none")).toUtf8());
    qputenv("HOME", runtime.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TestAudioFallback test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_audio_fallback.moc"
