#include "session/TransferSafeguards.h"

#include "document/Clock.h"
#include "i18n/SafeguardTexts.h"
#include "session/AppState.h"

#include <QDir>

BackupResult KeepReadBackup(const AppState& app, const RadioIdentity& radio, const Clock& clock)
{
    return WriteImageBackup(BackupFolder(), app.Image, radio.model, radio.firmware, clock.now());
}

QString BackupFailedText(const BackupResult& result, int language)
{
    return SafeguardText(SafeguardMsg::BackupFailed, language).arg(QDir::toNativeSeparators(result.path));
}

VerifyOutcome CompareWrittenRange(const MemoryImage& sent, const MemoryImage& readBack)
{
    VerifyOutcome outcome;
    outcome.readBack = true;
    for (int address = 0; address < kWrittenEnd; ++address) {
        if (sent[size_t(address)] == readBack[size_t(address)])
            continue;
        ++outcome.differingBytes;
        if (outcome.firstDifferences.size() < kMaxReportedDifferences)
            outcome.firstDifferences.append(address);
    }
    return outcome;
}

QString VerifyReport(const VerifyOutcome& outcome, int language)
{
    if (!outcome.readBack)
        return SafeguardText(SafeguardMsg::VerifyNotRead, language);
    if (outcome.differingBytes == 0)
        return SafeguardText(SafeguardMsg::Verified, language);
    QStringList addresses;
    for (const int address : outcome.firstDifferences)
        addresses.append(QStringLiteral("0x") +
                         QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    if (outcome.differingBytes > outcome.firstDifferences.size())
        addresses.append(QStringLiteral("..."));
    return SafeguardText(SafeguardMsg::VerifyDifferent, language)
        .arg(outcome.differingBytes)
        .arg(addresses.join(QStringLiteral(", ")));
}

bool WriteVerification::begin(AppState& app, ModComm& engine, const QString& device)
{
    if (engine.isBusy())
        return false;
    sent_ = app.Image;
    engine.setLanguage(app.Settings.LanguageIndex);
    if (!engine.open(kLinkRead, device).opened()) {
        sent_.reset();
        return false;
    }
    InitImage(app.Image);
    engine.startLink();
    return true;
}

VerifyOutcome WriteVerification::finish(AppState& app, bool success)
{
    VerifyOutcome outcome;
    if (!sent_)
        return outcome;
    if (success)
        outcome = CompareWrittenRange(*sent_, app.Image);
    app.Image = *sent_;
    sent_.reset();
    return outcome;
}
