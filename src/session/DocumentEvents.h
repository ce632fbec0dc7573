#pragma once

#include <QObject>

// Editor windows change the document in place and hold no copy of it. When one of them
// changes something that another open window shows in a list, it says so here and the
// others rebuild what they show.
class DocumentEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The DTMF code memories changed: lists of codes ("BOT", "EOT", "Call") are rebuilt.
    void dtmfCodesChanged();
    // The roger-beep sequences changed: the "Roger" lists are rebuilt.
    void rogerBeepsChanged();
    // The enabled modulations changed: the "Mode" lists are rebuilt.
    void enabledModesChanged();
    // The channel window switched the work mode, and with it the band: captions naming the band follow.
    void workModeChanged();
    // A window or command has just stored a change in the document. `description` names it in
    // the current language, the way the Edit menu's Undo item shows it ("frequency of CB A 7").
    void documentEdited(const QString& description);
    // Undo or Redo has put back another state of the whole document: every open window shows
    // it again, as it did when it opened, without writing anything back.
    void documentRestored();
};
