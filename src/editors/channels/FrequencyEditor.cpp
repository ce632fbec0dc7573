#include "editors/channels/FrequencyEditor.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int kMaxFrequencyChars = 7;
}

FrequencyEditor::FrequencyEditor(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("FrequencyEditor"));
    setMaxLength(kMaxFrequencyChars);
    setAlignment(Qt::AlignCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    // An input method could commit any text past the key filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool FrequencyEditor::IsAcceptedCharacter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == '.' || u < 32 || u == 127;
}

void FrequencyEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    // The clipboard would bring in text the key filter never saw.
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut))
        return;
    for (const QChar c : event->text())
        if (!IsAcceptedCharacter(c))
            return;
    QLineEdit::keyPressEvent(event);
}

void FrequencyEditor::mousePressEvent(QMouseEvent* event)
{
    // The middle button pastes the X selection.
    if (event->button() == Qt::MiddleButton || event->button() == Qt::RightButton)
        return;
    QLineEdit::mousePressEvent(event);
}

void FrequencyEditor::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton || event->button() == Qt::RightButton)
        return;
    QLineEdit::mouseReleaseEvent(event);
}
