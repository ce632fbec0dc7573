#pragma once

#include "link/CloneEngine.h"

#include <QString>

struct AppState;
class ProgramLauncher;
class SerialLink;
class UserPrompt;

// The program's side of a read or write, shared by the main window and the command-line
// tool: the engine only moves the image, these word the questions and use the results.

// The device of the port chosen in the settings ("COM<n>" through mysetup.ini); empty when none.
QString RadioPortDevice(const AppState& app);

// Opens the port for `operation`, asks "Read/Write data to radio." / "Do you wish continue?",
// prepares the image (and encodes the document into it for a write) and starts the link.
// True when the operation is under way (the engine's finished() follows); false after the
// port message or a declined confirmation, with the port closed.
bool BeginRadioOperation(AppState& app, ModComm& engine, UserPrompt& prompt, int16_t operation, const QString& device);

// The identity check of a transfer: the model must be the document's, the firmware one the
// version table pairs with this program. For another firmware the user may start the
// version that handles it; the port is closed for it first, and this program ends.
IdentityVerdict CheckRadioIdentity(AppState& app, UserPrompt& prompt, ProgramLauncher& launcher, SerialLink& link,
                                   const RadioIdentity& radio);

// Makes `engine` put every radio it meets to CheckRadioIdentity, as the main window, the
// command-line tool and the tests all wire it. The references must outlive the engine.
void WireIdentityCheck(ModComm& engine, AppState& app, UserPrompt& prompt, ProgramLauncher& launcher, SerialLink& link);

// After a successful read: the image becomes the document, a new document without a file.
void AdoptReadImage(AppState& app);
