#pragma once

#include <QDialog>

// The About window: the English one for language 1, the Chinese one otherwise.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(int language, QWidget* parent = nullptr);
};

// The program version as major.minor.revision.
QString ProgramVersionText();
