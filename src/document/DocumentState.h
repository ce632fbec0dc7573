#pragma once

#include <QString>

#include <cstdint>

// Program-wide state that travels with the document but is not part of its records.
struct DocumentState {
    QString CurModel = QStringLiteral("MH5120");
    QString ProgModel = QStringLiteral("MH5120");
    QString BandText = QStringLiteral("28.0000 - 29.6990 MHz");
    double BandLow = 28.0;
    double BandHigh = 29.699;
    QString DocPath = QStringLiteral("new.dat");
    int16_t IsNewDoc = -1; // -1 while the document has no file of its own
    QString RadioFwVersion = QStringLiteral("V200");
};

inline const QString kBandTextCB = QStringLiteral("25.6150 - 30.1050 MHz");
inline const QString kBandTextHF = QStringLiteral("28.0000 - 29.6990 MHz");
inline const QString kNewDocPath = QStringLiteral("new.dat");
inline const QString kProgVersion = QStringLiteral("V200");

// A document without a file of its own (a new one, or one read from the radio) carries the
// placeholder name, and Save asks for a name instead of writing there.
inline void ForgetDocumentFile(DocumentState& state)
{
    state.DocPath = kNewDocPath;
    state.IsNewDoc = -1;
}
inline bool DocumentHasNoFile(const DocumentState& state)
{
    return state.IsNewDoc != 0;
}
