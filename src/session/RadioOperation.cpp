#include "session/RadioOperation.h"

#include "files/VersionTable.h"
#include "i18n/LinkTexts.h"
#include "i18n/Texts.h"
#include "link/LinkFrames.h"
#include "link/PortDirectory.h"
#include "session/AppState.h"
#include "session/UserPrompt.h"

namespace {

// Starting another version closes our port first, as that version will want it.
class PortClosingLauncher final : public ProgramLauncher {
public:
    PortClosingLauncher(SerialLink& link, ProgramLauncher& inner) : link_(link), inner_(inner) {}
    bool start(const QString& path) override
    {
        link_.close();
        return inner_.start(path);
    }
    void exitNow() override { inner_.exitNow(); }

private:
    SerialLink& link_;
    ProgramLauncher& inner_;
};

} // namespace

QString RadioPortDevice(const AppState& app)
{
    if (app.Settings.comPort < 1)
        return {};
    PortDirectory directory(app.Paths.settingsFile());
    return ResolvePortArgument(QStringLiteral("COM") + QString::number(app.Settings.comPort), directory);
}

bool BeginRadioOperation(AppState& app, ModComm& engine, UserPrompt& prompt, int16_t operation, const QString& device)
{
    if (engine.isBusy())
        return false;
    const int language = app.Settings.LanguageIndex;
    engine.setLanguage(language);
    const LinkOpenResult opened = engine.open(operation, device);
    if (!opened.opened()) {
        prompt.ask(PromptId::PortOpenFailed,
                   OpenFailureText(opened.failure == LinkOpenFailure::Permission, opened.deviceGroup, language),
                   PromptButtons::Ok, PromptIcon::Critical);
        return false;
    }
    const bool read = operation == kLinkRead;
    const PromptAnswer answer = prompt.ask(read ? PromptId::ReadConfirm : PromptId::WriteConfirm,
                                           Text(read ? Msg::ReadConfirm : Msg::WriteConfirm, language),
                                           PromptButtons::OkCancel, PromptIcon::Question);
    if (answer != PromptAnswer::Ok) {
        engine.cancel();
        return false;
    }
    InitImage(app.Image);
    if (!read)
        EncodeDocument(app.Doc, app.Image);
    engine.startLink();
    return true;
}

IdentityVerdict CheckRadioIdentity(AppState& app, UserPrompt& prompt, ProgramLauncher& launcher, SerialLink& link,
                                   const RadioIdentity& radio)
{
    const int language = app.Settings.LanguageIndex;
    app.DocState.RadioFwVersion = radio.firmware;
    const bool modelMatches = LinkFrame::ModelText(app.DocState.CurModel) == radio.model;
    const bool versionMatches = IsCompatibleVersion(app.Versions, kProgVersion, radio.firmware);
    IdentityVerdict verdict;
    if (modelMatches && versionMatches) {
        verdict.passed = true;
        return verdict;
    }
    if (!modelMatches) {
        verdict.messages.append({PromptId::WrongModel, Text(Msg::ModelWrong, language)});
        return verdict;
    }
    const PromptAnswer answer =
        prompt.ask(PromptId::StartOtherVersion, BuildVersionMessage(kProgVersion, radio.firmware, 0, language),
                   PromptButtons::YesNo, PromptIcon::None);
    if (answer == PromptAnswer::Yes) {
        PortClosingLauncher closing(link, launcher);
        if (!LaunchVersion(app.Versions, app.Paths, radio.firmware, prompt, language, closing))
            verdict.messages.append({PromptId::StartFailed, LinkText(LinkMsg::LaunchFailed, language)});
    }
    return verdict;
}

void WireIdentityCheck(ModComm& engine, AppState& app, UserPrompt& prompt, ProgramLauncher& launcher, SerialLink& link)
{
    engine.setIdentityCheck([&app, &prompt, &launcher, &link](const RadioIdentity& radio) {
        return CheckRadioIdentity(app, prompt, launcher, link, radio);
    });
}

void AdoptReadImage(AppState& app)
{
    DecodeImage(app.Image, app.Doc, app.DocState);
    app.DocState.DocPath = kNewDocPath;
    app.DocState.IsNewDoc = -1;
}
