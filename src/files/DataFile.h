#pragma once

#include "document/DataRecord.h"

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

// Why a document read from disk cannot be used; empty when it can. Clamps the
// harmless view fields (WorkMode, CurGroup, CurChannel) in place.
bool ValidateDocumentFromDisk(RadioDocument& doc);

enum class OpenResult { Opened, Refused };
// Opens the pair at state.DocState.DocPath with the version and length tests.
OpenResult OpenDataFile(AppState& app, UserPrompt& prompt, ProgramLauncher& launcher);
// Saves the document to the pair at DocPath; false after "file error.".
bool SaveDataFile(AppState& app, UserPrompt& prompt);
bool WriteChannelFile(const QString& dataFilePath, const RadioDocument& saved);
bool ReadChannelFile(const QString& dataFilePath, RadioDocument& saved);
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
