#include "editors/features/FeatureForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
// The gap between a caption and its control: 100 twips, about 7 pixels at 96 dpi.
constexpr int kCaptionGap = 7;
} // namespace

QFormLayout* NewCaptionForm()
{
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(kCaptionGap);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

QComboBox* NewSelector(const QString& name)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setMaxVisibleItems(16);
    return combo;
}

QHBoxLayout* NewCloseRow(QWidget* window, const QString& closeCaption)
{
    auto* close = new QPushButton(closeCaption);
    close->setObjectName(QStringLiteral("CommandClose"));
    QObject::connect(close, &QPushButton::clicked, window, [window] {
        if (window->parentWidget())
            window->parentWidget()->close();
        else
            window->close();
    });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    return row;
}

TextFieldGuard::TextFieldGuard(QLineEdit* edit, Filter filter, std::function<void()> onLeave)
    : QObject(edit), edit_(edit), filter_(std::move(filter)), onLeave_(std::move(onLeave))
{
    // Pasting through the context menu or by dropping text would pass around the key filter.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->setDragEnabled(false);
    edit->installEventFilter(this);
}

bool TextFieldGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut)) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::ShortcutOverride)
            return false;
        if (enterMovesOn_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(edit_, &tab);
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty() || (key->modifiers() & Qt::ControlModifier))
            return false;
        const QChar c = text.at(0);
        if (c.unicode() > 127)
            return true;
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
        const std::optional<QChar> accepted = filter_ ? filter_(c) : std::optional<QChar>(c);
        if (!accepted)
            return true;
        if (*accepted != c) {
            edit_->insert(QString(*accepted));
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        // Queued: a mouse click that gave the focus would otherwise place the cursor over the selection.
        QTimer::singleShot(0, edit_, [edit = edit_] { edit->selectAll(); });
        return false;
    case QEvent::FocusOut:
        if (onLeave_)
            onLeave_();
        return false;
    default:
        return false;
    }
}

std::optional<QChar> DigitsAndPoint(QChar c)
{
    if (c.isDigit() || c == QLatin1Char('.'))
        return c;
    return std::nullopt;
}

std::optional<QChar> DigitsOnly(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c;
    return std::nullopt;
}
