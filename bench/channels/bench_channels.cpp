// Times the channel window on a document whose every group of both work modes holds all
// 46 channels: opening the window, switching the group shown, committing one frequency.
// Prints the median, the 95th percentile and the slowest of each over many runs; the slowest
// runs on a shared machine mostly measure other processes.
#include "FixedClock.h"
#include "ScriptedPrompt.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/ChannelWindow.h"
#include "editors/channels/FrequencyEditor.h"
#include "session/AppState.h"
#include "session/DocumentEvents.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

void FillDocument(AppState& app)
{
    BuildDefaultDocument(app.Doc, app.DocState, FixedClock());
    for (int mode = 0; mode <= 1; ++mode)
        for (int g = 1; g <= kGroupCount; ++g)
            for (int id = 2; id <= kNumberedChannels; ++id)
                AddChannel(app.Doc, id, mode, g, QStringLiteral("28.%1").arg(id, 4, 10, QLatin1Char('0')));
    app.Doc.Data.WorkMode = kModeHF;
    app.DocState.BandText = BandTextOf(kModeHF);
    ParseBandLimits(app.DocState);
}

void Report(const char* what, std::vector<double> ms, double goal)
{
    std::sort(ms.begin(), ms.end());
    QTextStream(stdout) << QStringLiteral(
                               "%1: median %2 ms, 95th percentile %6 ms, slowest %3 ms over %4 runs (goal < %5 ms)\n")
                               .arg(QLatin1String(what))
                               .arg(ms[ms.size() / 2], 0, 'f', 3)
                               .arg(ms.back(), 0, 'f', 3)
                               .arg(ms.size())
                               .arg(goal)
                               .arg(ms[ms.size() * 95 / 100], 0, 'f', 3);
}

double TimeMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AppState app;
    FillDocument(app);
    ScriptedPrompt prompt;
    DocumentEvents events;

    std::vector<double> open;
    for (int i = 0; i < 30; ++i) {
        open.push_back(TimeMs([&] {
            ChannelWindow window(app, prompt, events);
            window.show();
            QCoreApplication::processEvents();
        }));
    }

    ChannelWindow window(app, prompt, events);
    window.show();
    QCoreApplication::processEvents();
    QComboBox* groups = window.groupSelector();
    std::vector<double> sw;
    for (int i = 0; i < 200; ++i) {
        const int next = (groups->currentIndex() + 1) % groups->count();
        sw.push_back(TimeMs([&] {
            groups->setCurrentIndex(next);
            emit groups->activated(next);
        }));
    }

    groups->setCurrentIndex(0);
    emit groups->activated(0);
    std::vector<double> commit;
    for (int i = 0; i < 200; ++i) {
        window.grid()->setCurrentCell(i % kNumberedChannels, 1);
        window.EnterGridEdit();
        window.frequencyEditor()->setText(i % 2 ? QStringLiteral("28.5") : QStringLiteral("29.1"));
        commit.push_back(TimeMs([&] { window.SaveShowGridData(); }));
    }

    Report("open the channel window", open, 50);
    Report("switch the group", sw, 5);
    Report("commit a frequency", commit, 2);
    return prompt.asked.isEmpty() ? 0 : 1;
}
