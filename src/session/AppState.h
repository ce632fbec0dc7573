#pragma once

#include "document/DataRecord.h"
#include "document/DocumentState.h"
#include "files/VersionTable.h"
#include "image/MemoryImage.h"
#include "session/Settings.h"

// All program-wide state, owned by one object for the whole run and handed to the
// windows, the command-line tool and the tests.
struct AppState {
    ProgramPaths Paths;
    VersionTable Versions;
    AppSettings Settings;
    DocumentState DocState;
    RadioDocument Doc;
    RadioDocument Saved;
    MemoryImage Image{};
};

class Clock;
// The start-up document: defaults, then the new-document template, then the snapshot.
void NewDocument(AppState& app, const Clock& clock);
// The same without the template: the document every installation builds alike.
void NewDefaultDocument(AppState& app, const Clock& clock);
