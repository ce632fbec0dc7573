#include "session/AppState.h"

#include "document/RadioDocumentOps.h"
#include "files/DataFile.h"

void NewDefaultDocument(AppState& app, const Clock& clock)
{
    ForgetDocumentFile(app.DocState);
    BuildDefaultDocument(app.Doc, app.DocState, clock);
    DocumentToSaved(app.Doc, app.Saved, app.DocState);
}

void NewDocument(AppState& app, const Clock& clock)
{
    NewDefaultDocument(app, clock);
    LoadNewTemplate(app);
    DocumentToSaved(app.Doc, app.Saved, app.DocState);
}
