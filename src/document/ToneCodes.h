#pragma once

#include <QString>
#include <QStringList>

// Tone code index of a channel: 0 off, 1..38 QT tones, 39..142 DQT codes.
constexpr int kToneCodeCount = 143;
constexpr int kQtToneCount = 38;
constexpr int kDqtCodeCount = 104;

// "Off", "C_001(67.0Hz)" ... "D_104(754N)"; any index outside 0..142 reads "Off".
QString ToneCodeText(int index);
// The 143 texts in index order, so a selector's position equals the index.
QStringList ToneCodeList();
