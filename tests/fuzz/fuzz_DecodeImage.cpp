// Decodes an arbitrary 16,384-byte memory image (as a read from any radio could deliver it)
// into the document, saves it as a pair, opens that pair again and encodes the document.
// A document the program decoded must survive its own save and open unchanged.
#include "FuzzSupport.h"
#include "RecordingLauncher.h"
#include "ScriptedPrompt.h"

#include "files/DataFile.h"
#include "image/MemoryImage.h"
#include "session/AppState.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApplication();
    static MemoryImage image;
    image.fill(0xFF);
    std::copy(data, data + std::min(size, size_t(kImageSize)), image.begin());

    static auto* app = new AppState;
    *app = AppState{};
    app->Versions.FirmPairs = QStringList{QStringLiteral("V200"), QStringLiteral("V200")};
    DecodeImage(image, app->Doc, app->DocState);
    app->DocState.DocPath = FuzzFolder().filePath(QStringLiteral("decoded.dat"));

    // Opening puts the editor's view fields (work mode, current group and channel) back in
    // range; the decoder keeps them as read. Everything else must come back unchanged.
    static auto* expected = new RadioDocument;
    *expected = app->Doc;
    ValidateDocumentFromDisk(*expected);
    static MemoryImage expectedImage;
    InitImage(expectedImage);
    EncodeDocument(*expected, expectedImage);

    ScriptedPrompt prompt;
    RecordingLauncher launcher;
    if (!SaveDataFile(*app, prompt))
        std::abort(); // the scratch folder is writable
    if (OpenDataFile(*app, prompt, launcher) != OpenResult::Opened)
        std::abort(); // the program refuses a pair it wrote itself

    static MemoryImage encoded;
    InitImage(encoded);
    EncodeDocument(app->Doc, encoded);
    if (encoded != expectedImage)
        std::abort(); // saving and reopening changed what goes to the radio
    return 0;
}
