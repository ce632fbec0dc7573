// Opens a data file pair made of arbitrary bytes through the program's own open path.
// Input: one byte of answers, two bytes that split the rest into the data file and the
// channel file. Whatever the bytes, the open must not crash, and a refused file must leave
// the document as it was.
#include "FileBytes.h"
#include "FuzzSupport.h"
#include "RecordingLauncher.h"
#include "ScriptedPrompt.h"

#include "files/DataFile.h"
#include "i18n/Texts.h"
#include "image/MemoryImage.h"
#include "session/AppState.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApplication();
    FuzzInput in(data, size);
    const uint8_t answers = in.byte();
    const size_t split = size_t(in.word()) % (in.remaining() + 1);
    const QString path = FuzzFolder().filePath(QStringLiteral("V200/pair.dat"));
    static const bool folder = QDir(FuzzFolder().path()).mkpath(QStringLiteral("V200"));
    (void)folder;
    if (!writeBytes(path, in.bytes(split)) || !writeBytes(ChannelFilePath(path), in.bytes(in.remaining())))
        std::abort();

    static auto* app = new AppState;
    *app = AppState{};
    app->Settings.LanguageIndex = (answers & 1) ? kChinese : kEnglish;
    app->Versions.FirmPairs =
        QStringList{QStringLiteral("V200"), QStringLiteral("V200"), QStringLiteral("V210"), QStringLiteral("V201")};
    app->Paths.programFolder = FuzzFolder().filePath(QStringLiteral("V200"));
    app->Paths.programName = QStringLiteral("trk5120");
    app->DocState.DocPath = path;
    static auto* before = new RadioDocument;
    *before = app->Doc;

    ScriptedPrompt prompt;
    prompt.setStandingAnswer((answers & 2) ? PromptAnswer::Yes : PromptAnswer::No);
    RecordingLauncher launcher;
    launcher.startSucceeds = (answers & 4) != 0;

    if (OpenDataFile(*app, prompt, launcher) == OpenResult::Refused) {
        if (!(app->Doc.Data == before->Data) || !(app->Doc.Channels == before->Channels))
            std::abort(); // a refused file changed the document
        return 0;
    }
    // What was opened must go on into an image.
    static MemoryImage image;
    InitImage(image);
    EncodeDocument(app->Doc, image);
    return 0;
}
