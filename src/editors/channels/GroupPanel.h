#pragma once

#include "editors/channels/ChannelRules.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;

// "Band -- A": whether the group on show is valid, and which of its channels are the
// emergency and dual-watch channels. Its selectors are hidden in the memory view.
class GroupPanel final : public QGroupBox {
    Q_OBJECT
public:
    GroupPanel(int language, QWidget* parent = nullptr);

    void setGroupTitle(const QString& letter);
    void setSelectorsVisible(bool visible);
    void setChannelNames(const QStringList& names);
    void selectReferences(const std::array<QString, 4>& names);
    void selectValid(int position);

    QComboBox* referenceSelector(GroupReference ref) const { return refs_[static_cast<std::size_t>(ref)]; }
    QComboBox* validSelector() const { return valid_; }
    // The selector's caption ("EMG CHX1").
    QString referenceCaption(GroupReference ref) const;

signals:
    void referencePicked(GroupReference ref, const QString& name);
    void validPicked(int position);

private:
    int language_;
    std::array<QComboBox*, 4> refs_{};
    std::array<QLabel*, 4> refLabels_{};
    QComboBox* valid_ = nullptr;
    QLabel* validLabel_ = nullptr;
};
