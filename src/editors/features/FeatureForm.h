#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QWidget;

// A form whose captions stand left of their controls, right-aligned with a small gap.
QFormLayout* NewCaptionForm();
// A drop-down list without free text.
QComboBox* NewSelector(const QString& name);
// The row at the foot of a feature window: a stretch, then the Close button, which closes the
// window's frame when it has one and the window itself otherwise.
QHBoxLayout* NewCloseRow(QWidget* window, const QString& closeCaption);

// The typing rules of the editors' text fields: copy, paste and cut are refused, so are
// characters above code 127; control characters pass; every printable character goes
// through `filter`, which gives the character to insert or nothing to drop it. The whole
// text is selected when the field gets the focus; `onLeave` runs when it loses it.
class TextFieldGuard final : public QObject {
    Q_OBJECT
public:
    using Filter = std::function<std::optional<QChar>(QChar)>;
    TextFieldGuard(QLineEdit* edit, Filter filter, std::function<void()> onLeave);
    // Enter moves the focus on, as Tab would, instead of being typed.
    void setEnterMovesOn(bool on) { enterMovesOn_ = on; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    Filter filter_;
    std::function<void()> onLeave_;
    bool enterMovesOn_ = false;
};

// Filters for TextFieldGuard.
std::optional<QChar> DigitsAndPoint(QChar c);
std::optional<QChar> DigitsOnly(QChar c);
