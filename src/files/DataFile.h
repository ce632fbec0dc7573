#pragma once

#include "document/DataRecord.h"
#include "files/FileAccess.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct AppState;
class UserPrompt;
class ProgramLauncher;

constexpr int kDataFileSize = 1344;
constexpr int kChannelRecordSize = 54;

// Byte layouts of the data file and the channel file.
QByteArray SerializeDataRecord(const DataRecord& data);
DataRecord ParseDataRecord(const QByteArray& bytes); // bytes must be 1344 long
QByteArray SerializeChannelRecord(const ChannelRecord& record);
ChannelRecord ParseChannelRecord(const char* bytes); // 54 bytes
QString ChannelFilePath(const QString& dataFilePath);

// False when a document read from disk cannot be used (bad channel counts, channel
// numbers out of range or twice in a list). Clamps the harmless view fields
// (WorkMode, CurGroup, CurChannel) in place.
bool ValidateDocumentFromDisk(RadioDocument& doc);

// False for a data file path whose channel file would be the data file itself, would lie
// outside the data file's folder, or where a folder, device or pipe stands under either name.
bool IsUsableDataPath(const QString& dataFilePath);
// A name typed without an extension gets ".dat", so its channel file sits beside it.
QString WithDataFileExtension(const QString& name);

// Adds the saved copy's pair to files, which are put in place together; false (nothing
// added) when the path is not usable or the counts are out of range.
bool AddDocumentPair(AtomicFileSet& files, const QString& dataFilePath, const RadioDocument& saved);
// Writes the saved copy as a complete pair, or leaves the previous pair exactly as it was.
bool WriteDocumentPair(const QString& dataFilePath, const RadioDocument& saved,
                       const ReplaceFile& replace = RenameOver);

enum class OpenResult { Opened, Refused };
// Opens the pair at state.DocState.DocPath with the version and length tests.
OpenResult OpenDataFile(AppState& app, UserPrompt& prompt, ProgramLauncher& launcher);
// Saves the document to the pair at DocPath; false after "file error.".
bool SaveDataFile(AppState& app, UserPrompt& prompt);
// The same, with the files already in alongside: all of them are put in place or none.
bool SaveDataFile(AppState& app, UserPrompt& prompt, AtomicFileSet& alongside);
bool WriteChannelFile(const QString& dataFilePath, const RadioDocument& saved);
// Reads the records that the counts of saved.Data call for; false (saved unchanged)
// when a count is out of range or the file is missing or too short.
bool ReadChannelFile(const QString& dataFilePath, RadioDocument& saved);
// A template that cannot be used leaves the document as it is and snapshots it.
bool LoadTemplate(AppState& app, const QString& dataFilePath);
bool LoadNewTemplate(AppState& app);
bool LoadInitTemplate(AppState& app);
QString NewTemplatePath(const AppState& app);
QString InitTemplatePath(const AppState& app);
bool IsDocumentUnchanged(const RadioDocument& doc, const RadioDocument& saved);
inline bool IsDocumentModified(const RadioDocument& doc, const RadioDocument& saved)
{
    return !IsDocumentUnchanged(doc, saved);
}
