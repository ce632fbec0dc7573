#pragma once

#include <QString>

#include <optional>

class QWidget;

// The open and save dialogs of the main window; tests script the chosen names.
// An empty result means the user cancelled the dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> chooseOpen(QWidget* parent, const QString& filter) = 0;
    virtual std::optional<QString> chooseSave(QWidget* parent, const QString& filter, const QString& suggested) = 0;
};

class DialogFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseOpen(QWidget* parent, const QString& filter) override;
    std::optional<QString> chooseSave(QWidget* parent, const QString& filter, const QString& suggested) override;
};
