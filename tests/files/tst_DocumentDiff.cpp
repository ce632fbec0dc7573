// The list of differences in the language the windows speak, and its footing on documents
// whose counts nobody checked.

#include "FixedClock.h"
#include "document/DocumentState.h"
#include "document/RadioDocumentOps.h"
#include "files/DocumentDiff.h"
#include "i18n/Texts.h"

#include <QTest>

#include <memory>

class TestDocumentDiff : public QObject {
    Q_OBJECT

    static std::unique_ptr<RadioDocument> startupDocument()
    {
        auto doc = std::make_unique<RadioDocument>();
        DocumentState state;
        BuildDefaultDocument(*doc, state, FixedClock());
        return doc;
    }

private slots:
    void speaksTheRequestedLanguage()
    {
        const auto before = startupDocument();
        auto after = std::make_unique<RadioDocument>(*before);
        after->Data.Opt.TotTime = 9;
        after->Channels[0][7][1].HiCut = 1;
        after->Data.Opt.AutodialCode[2].set("12");
        const QStringList expected{QString::fromUtf8("CB A 1: HI-CUT 关 -> 开"), QString::fromUtf8("TOT: 关 -> 90s"),
                                   QString::fromUtf8("DTMF 2: (空) -> 12")};
        QCOMPARE(DocumentDifferences(*before, *after, DiffScope::RadioContent, kChinese), expected);
        QCOMPARE(DocumentDifferences(*after, *after, DiffScope::WholeDocument, kChinese), QStringList());
    }

    // Counts outside 0..46 must not reach past the channel table.
    void countsOutOfRangeAreLimited()
    {
        const auto before = startupDocument();
        auto after = std::make_unique<RadioDocument>(*before);
        after->Data.ChannelCount[0][1] = -3;
        after->Data.ChannelCount[1][2] = 300;
        const QStringList lines = DocumentDifferences(*before, *after, DiffScope::WholeDocument, kEnglish);
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.first(), QStringLiteral("CB A 1: 28.0150 -> (none)"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentDiff)
#include "tst_DocumentDiff.moc"
