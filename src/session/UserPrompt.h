#pragma once

#include <QString>

// Modal questions and messages. The GUI shows message boxes; tests and the
// command-line tool script the answers.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptIcon { None, Critical, Question, Exclamation };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

// What is being asked or told, independent of its wording and language: scripted
// answers (tests, the command-line tool) are chosen by this, never by the text.
enum class PromptId {
    // The document's life.
    ClearDocument,      // New from the menu: "All data will be cleared."
    SaveChanges,        // unsaved changes before Open or Exit
    OverwriteFile,      // Save onto the file the document came from
    FileError,          // a data file pair that cannot be read or written
    UnknownDataVersion, // a data file of a version no installed program knows
    StartOtherVersion,  // another installed version handles this file or radio: start it?
    StartFailed,        // that version could not be started
    // The radio link.
    ReadConfirm,     // before a read
    WriteConfirm,    // before a write
    PortOpenFailed,  // the serial port cannot be opened
    CheckConnection, // the radio does not answer
    WrongModel,      // the radio is another model
    PortLost,        // the port vanished during a transfer
    Completed,       // a read or write has finished
    BackupFailed,    // the backup of a read could not be written; the read still counts
    VerifyFailed,    // a write finished but the radio does not give back what was sent
    // The editors.
    InvalidInput,  // a value typed into an editor is refused
    EditorNotice,  // an editor explains what it did or refused
    ImportRefused, // a channel list that cannot be imported: nothing was changed
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer ask(PromptId id, const QString& text, PromptButtons buttons, PromptIcon icon) = 0;
    void tell(PromptId id, const QString& text, PromptIcon icon = PromptIcon::None)
    {
        ask(id, text, PromptButtons::Ok, icon);
    }
};
