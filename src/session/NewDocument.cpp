#include "session/AppState.h"

#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

void NewDocument(AppState& app, const Clock& clock)
{
    app.DocState.IsNewDoc = -1;
    app.DocState.DocPath = kNewDocPath;
    BuildDefaultDocument(app.Doc, app.DocState, clock);
    LoadNewTemplate(app);
    DocumentToSaved(app.Doc, app.Saved, app.DocState);
}
