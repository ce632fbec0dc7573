#pragma once

#include <QLineEdit>

// The frequency editor laid over a grid cell: digits and "." only, at most seven
// characters, nothing from the clipboard, no context menu.
class FrequencyEditor final : public QLineEdit {
    Q_OBJECT
public:
    explicit FrequencyEditor(QWidget* parent = nullptr);

    // Whether a typed character reaches the text: digits, "." and control characters.
    static bool IsAcceptedCharacter(QChar c);

signals:
    void enterPressed();
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
