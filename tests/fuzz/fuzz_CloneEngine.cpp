// Drives the clone engine over a fake line from arbitrary input: raw bytes in pieces, the
// radio's proper replies (whole, split or with one byte changed), WaitTimer running out, the
// port vanishing and the answers to every question all come from the input. No real time.
// The engine must never crash, must end every operation exactly once and must never be left
// waiting with no timer running.
#include "FakeLink.h"
#include "FakeLinkTimer.h"
#include "FakeRadio.h"
#include "FuzzSupport.h"
#include "RecordingLauncher.h"
#include "RecordingProgress.h"
#include "ScriptedPrompt.h"

#include "link/CloneEngine.h"
#include "session/AppState.h"
#include "session/RadioOperation.h"

#include <cstdlib>

namespace {

PromptAnswer AnswerFor(PromptButtons buttons, uint8_t choice)
{
    const bool first = (choice & 1) == 0;
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
        return first ? PromptAnswer::Ok : PromptAnswer::Cancel;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return first ? PromptAnswer::Yes : PromptAnswer::No;
    case PromptButtons::RetryCancel:
        return first ? PromptAnswer::Retry : PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApplication();
    FuzzInput in(data, size);

    static auto* app = new AppState;
    *app = AppState{};
    app->Versions.FirmPairs =
        QStringList{QStringLiteral("V200"), QStringLiteral("V200"), QStringLiteral("V210"), QStringLiteral("V201")};
    app->Paths.programFolder = FuzzFolder().filePath(QStringLiteral("V200"));
    app->Paths.programName = QStringLiteral("trk5120");
    static auto* radio = new FakeRadio;
    for (size_t i = 0; i < radio->memory.size(); ++i)
        radio->memory[i] = uint8_t(i * 7 + 3);
    radio->firmware = (in.byte() & 1) ? QByteArrayLiteral("V201") : QByteArrayLiteral("V200");

    FakeLink link;
    FakeLinkTimer timer;
    ScriptedPrompt prompt;
    RecordingProgress progress;
    RecordingLauncher launcher;
    launcher.startSucceeds = (in.byte() & 1) != 0;
    ModComm engine(link, timer, prompt, progress, app->Image);
    WireIdentityCheck(engine, *app, prompt, launcher, link);
    int finished = 0;
    QObject::connect(&engine, &ModComm::finished, [&](bool) { ++finished; });
    QByteArray lastFrame;
    link.onWrite = [&](const QByteArray& frame) { lastFrame = frame; };
    // A question runs a nested event loop in the program; bytes may arrive while it is open.
    prompt.onAsk = [&](const AskedPrompt& asked) {
        const uint8_t choice = in.empty() ? 1 : in.byte();
        if (asked.buttons != PromptButtons::Ok)
            prompt.answers.append(AnswerFor(asked.buttons, choice));
        if (choice & 2)
            link.feed(radio->answer(lastFrame));
        if (choice & 4)
            link.lose();
        QCoreApplication::sendPostedEvents();
    };

    const int16_t operation = (in.byte() & 1) ? kLinkWrite : kLinkRead;
    const bool started = BeginRadioOperation(*app, engine, prompt, operation, QStringLiteral("fuzz"));
    while (started && !in.empty()) {
        QCoreApplication::sendPostedEvents();
        if (!engine.isBusy())
            break;
        const uint8_t command = in.byte();
        const int argument = command >> 3;
        switch (command & 7) {
        case 0:
        case 1:
            link.feed(in.bytes(size_t(argument) + 1));
            break;
        case 2:
        case 3: {
            const QByteArray reply = radio->answer(lastFrame);
            const qsizetype cut = argument % (reply.size() + 1);
            link.feed(reply.left(cut));
            link.feed(reply.mid(cut));
            break;
        }
        case 4: {
            QByteArray reply = radio->answer(lastFrame);
            if (!reply.isEmpty())
                reply[argument % reply.size()] = char(in.byte());
            link.feed(reply);
            break;
        }
        case 5:
            timer.fire();
            break;
        case 6:
            if (argument == 0)
                link.lose();
            break;
        case 7:
            // The proper reply, many times over: carries a run deep into the blocks.
            for (int i = 0; i <= argument * 8 && engine.isBusy(); ++i) {
                link.feed(radio->answer(lastFrame));
                QCoreApplication::sendPostedEvents();
            }
            break;
        }
    }
    // The input is used up: from here on the radio is silent and every question is answered
    // with its second button, so the operation must come to an end.
    for (int step = 0; started && step < 100 && engine.isBusy(); ++step) {
        QCoreApplication::sendPostedEvents();
        if (!engine.isBusy() || !timer.fire())
            break;
    }
    QCoreApplication::sendPostedEvents();
    if (engine.isBusy())
        std::abort(); // waiting with nothing left that could end the wait
    if (finished != (started ? 1 : 0))
        std::abort(); // the end of an operation ran twice, or never
    if (link.isOpen() || progress.visible)
        std::abort();
    return 0;
}
