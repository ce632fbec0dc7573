#pragma once

#include "editors/channels/ChannelRules.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;

// "More Information -- CH 7": every setting of one channel but its frequency, one selector
// per field. It shows values; what a pick stores is the window's business.
class ChannelDetailPanel final : public QGroupBox {
    Q_OBJECT
public:
    ChannelDetailPanel(int language, QWidget* parent = nullptr);

    // Fills every selector from the channel; no pick is reported while filling.
    void showChannel(const ChannelRecord& ch, const QStringList& modes);
    void applyPublicLock(bool locked);
    // New lists for "Roger" or for "BOT", "EOT" and "Call": the shown entry stays when it
    // is still offered, else the first entry is shown.
    void setRogerList(const QStringList& entries);
    void setCodeList(const QStringList& entries);
    // The "Mode" list rebuilt with `modes`, showing `entry` (or the first one).
    void setModeList(const QStringList& modes, const QString& entry);

    QComboBox* selector(DetailField field) const { return combos_[static_cast<std::size_t>(field)]; }
    QString shownText(DetailField field) const;
    // The selector's caption ("TSQ").
    QString caption(DetailField field) const;

signals:
    void picked(DetailField field, int position, const QString& entry);

private:
    void setList(DetailField field, const QStringList& entries);
    int language_;
    std::array<QComboBox*, kDetailFieldCount> combos_{};
    std::array<QLabel*, kDetailFieldCount> labels_{};
};
