// Writes the template pairs of the Init folder: for each band code the
// new-document template and the initial-setting template, both the default
// document in the work mode of that band.

#include "document/Clock.h"
#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <memory>

namespace {

bool writeTemplates(const QString& folder, int workMode, const Clock& clock)
{
    DocumentState state;
    state.BandText = BandTextOf(workMode);
    ParseBandLimits(state);
    auto doc = std::make_unique<RadioDocument>();
    auto saved = std::make_unique<RadioDocument>();
    BuildDefaultDocument(*doc, state, clock);
    doc->Data.WorkMode = static_cast<int16_t>(workMode);
    DocumentToSaved(*doc, *saved, state);

    const QString prefix = folder + QLatin1Char('/') + QString::number(BandCodeOf(state.BandText)) + QLatin1Char('_');
    return WriteDocumentPair(prefix + QStringLiteral("MH5120_New.dat"), *saved) &&
           WriteDocumentPair(prefix + QStringLiteral("MH5120.dat"), *saved);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: make-templates INIT_FOLDER\n";
        return 2;
    }
    const QString folder = arguments[1];
    if (!QDir().mkpath(folder)) {
        err << "cannot create " << folder << '\n';
        return 1;
    }
    const SystemClock clock;
    for (const int workMode : {kModeHF, kModeCB}) {
        if (!writeTemplates(folder, workMode, clock)) {
            err << "cannot write the templates in " << folder << '\n';
            return 1;
        }
    }
    return 0;
}
