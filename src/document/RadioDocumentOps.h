#pragma once

#include "document/DataRecord.h"
#include "document/DocumentState.h"

class Clock;

QString BandTextOf(int workMode);
int16_t BandCodeOf(const QString& bandText);
void ParseBandLimits(DocumentState& state);

QString FreqToStored(const QString& text);
void StoreChannelFrequency(ChannelRecord& record, const QString& text);
void AddChannel(RadioDocument& doc, int number, int mode, int group, const QString& frequency);
void DeleteChannelSlot(RadioDocument& doc, int slot, int mode, int group);
// Appends channel 1 with the group's default frequency; false when nothing was appended.
bool AddGroupDefaultChannel(RadioDocument& doc, int mode, int group);
QString DefaultGroupFrequency(int group);

// Steps 2 to 6 of the start-up document: defaults without the template.
void BuildDefaultDocument(RadioDocument& doc, const DocumentState& state, const Clock& clock);
void DocumentToSaved(RadioDocument& doc, RadioDocument& saved, DocumentState& state);
void SavedToDocument(RadioDocument& doc, const RadioDocument& saved, DocumentState& state);
