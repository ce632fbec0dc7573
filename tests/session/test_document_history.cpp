// The undo history on its own: steps, names, limits and what makes no step.
#include "session/DocumentHistory.h"

#include <QTest>

namespace {

bool Same(const RadioDocument& a, const RadioDocument& b)
{
    return a.Data == b.Data && a.Channels == b.Channels;
}

// A document whose every edit below is visible in one place.
RadioDocument Start()
{
    RadioDocument doc;
    doc.Data.Opt.TotTime = 0;
    doc.Data.Opt.MicLevel = 1;
    return doc;
}

} // namespace

class TestDocumentHistory : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoPutBackEveryByte()
    {
        RadioDocument doc = Start();
        const RadioDocument before = doc;
        DocumentHistory history;
        history.reset(doc);
        QVERIFY(!history.canUndo());
        QCOMPARE(history.undoName(), QString());

        doc.Data.Opt.TotTime = 3;
        QVERIFY(history.record(doc, QStringLiteral("TOT")));
        const RadioDocument afterTot = doc;
        doc.Channels[1][5][2].RxFreq.set(QStringLiteral("28500000"));
        doc.Data.Opt.EmgCh1[1][2] = 5; // a side effect of the same change
        QVERIFY(history.record(doc, QStringLiteral("frequency of HF B 5")));
        const RadioDocument afterFrequency = doc;
        QCOMPARE(history.undoName(), QStringLiteral("frequency of HF B 5"));

        QVERIFY(history.undo(doc));
        QVERIFY(Same(doc, afterTot));
        QCOMPARE(history.undoName(), QStringLiteral("TOT"));
        QCOMPARE(history.redoName(), QStringLiteral("frequency of HF B 5"));
        QVERIFY(history.undo(doc));
        QVERIFY(Same(doc, before));
        QVERIFY(!history.undo(doc));
        QVERIFY(Same(doc, before));

        QVERIFY(history.redo(doc));
        QVERIFY(history.redo(doc));
        QVERIFY(Same(doc, afterFrequency));
        QVERIFY(!history.redo(doc));
        QCOMPARE(history.undoCount(), std::size_t(2));

        history.reset(doc);
        QVERIFY(!history.canUndo());
        QVERIFY(!history.canRedo());
    }

    void aNewEditClearsRedo()
    {
        RadioDocument doc = Start();
        DocumentHistory history;
        history.reset(doc);
        doc.Data.Opt.TotTime = 3;
        history.record(doc, QStringLiteral("TOT"));
        doc.Data.Opt.MicLevel = 7;
        history.record(doc, QStringLiteral("MIC"));
        history.undo(doc);
        QVERIFY(history.canRedo());
        doc.Data.Opt.Nog = 4;
        QVERIFY(history.record(doc, QStringLiteral("NOG")));
        QVERIFY(!history.canRedo());
        QCOMPARE(history.undoCount(), std::size_t(2));
        history.undo(doc);
        QCOMPARE(doc.Data.Opt.MicLevel, int16_t(1));
        QCOMPARE(doc.Data.Opt.TotTime, int16_t(3));
    }

    void noStepWithoutAChange_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("nothing stored") << 0;
        QTest::newRow("only the row on show") << 1;
        QTest::newRow("only the group on show") << 2;
    }
    void noStepWithoutAChange()
    {
        QFETCH(int, change);
        RadioDocument doc = Start();
        DocumentHistory history;
        history.reset(doc);
        if (change == 1)
            doc.Data.CurChannel[0][1] = 7;
        if (change == 2)
            doc.Data.CurGroup[0] = 3;
        QVERIFY(!history.record(doc, QStringLiteral("TSQ of CB A 7")));
        QVERIFY(!history.canUndo());
    }

    void oneNameInARunIsOneStep()
    {
        RadioDocument doc = Start();
        const RadioDocument before = doc;
        DocumentHistory history;
        history.reset(doc);
        // Keystrokes into one code memory.
        for (const char* code : {"1", "12", "123"}) {
            doc.Data.Opt.AutodialCode[3].set(QLatin1String(code));
            QVERIFY(history.record(doc, QStringLiteral("DTMF 3")));
        }
        QCOMPARE(history.undoCount(), std::size_t(1));
        doc.Data.Opt.AutodialCode[4].set(QStringLiteral("9"));
        history.record(doc, QStringLiteral("DTMF 4"));
        QCOMPARE(history.undoCount(), std::size_t(2));
        history.undo(doc);
        history.undo(doc);
        QVERIFY(Same(doc, before));

        // After an undo the same name starts a step of its own.
        history.redo(doc);
        doc.Data.Opt.AutodialCode[3].set(QStringLiteral("7"));
        history.record(doc, QStringLiteral("DTMF 3"));
        QCOMPARE(history.undoCount(), std::size_t(2));

        // Typed and typed back: no step is left.
        history.reset(doc);
        const RadioDocument start = doc;
        doc.Data.Opt.AutodialCode[5].set(QStringLiteral("5"));
        history.record(doc, QStringLiteral("DTMF 5"));
        doc.Data.Opt.AutodialCode[5] = start.Data.Opt.AutodialCode[5];
        QVERIFY(history.record(doc, QStringLiteral("DTMF 5")));
        QVERIFY(!history.canUndo());
    }

    void keepsTheNewestStepsUpToItsLimit()
    {
        QVERIFY(DocumentHistory::kDefaultLimit >= 100);
        RadioDocument doc = Start();
        DocumentHistory history;
        history.reset(doc);
        const int edits = int(DocumentHistory::kDefaultLimit) + 30;
        for (int i = 1; i <= edits; ++i) {
            doc.Data.TxOffset = i;
            history.record(doc, QStringLiteral("Tx Offset %1").arg(i));
        }
        QCOMPARE(history.undoCount(), DocumentHistory::kDefaultLimit);
        while (history.undo(doc)) {
        }
        // The oldest steps went: the earliest state left is after edit 30.
        QCOMPARE(doc.Data.TxOffset, 30);
        QCOMPARE(history.redoCount(), DocumentHistory::kDefaultLimit);
        QCOMPARE(history.redoName(), QStringLiteral("Tx Offset 31"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentHistory)
#include "test_document_history.moc"
