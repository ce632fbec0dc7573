#include "CliContext.h"
#include "Commands.h"

#include "editors/features/RogerBeepRules.h"
#include "editors/features/ToneSynthesis.h"
#include "files/FileAccess.h"
#include "i18n/Texts.h"

#include <QLocale>

// tone IN.dat N OUT.wav: the preview of roger-beep sequence N as a WAV file, sample for
// sample what the roger-beep window plays, so a sequence can be heard on any machine.
int CommandTone(CliContext& ctx, const CliArguments& arguments)
{
    bool ok = false;
    const int n = QLocale::c().toInt(arguments.files[1], &ok);
    if (!ok || n < 1 || n > kRogerSequences)
        return Fail(QStringLiteral("the sequence number must be 1 to 8"));
    if (!OpenForReading(ctx, arguments.files[0]))
        return kExitFailed;
    if (!WriteFileAtomically(arguments.files[2], WavFile(RenderSequence(ctx.app.Doc.Data.RogerSeq[n]))))
        return Fail(Text(Msg::FileError, kEnglish));
    return kExitOk;
}
