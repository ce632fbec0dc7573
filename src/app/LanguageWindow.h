#pragma once

#include <QDialog>

class QComboBox;
struct AppSettings;

// The language window: offers the languages this system may use and stores the choice.
class LanguageWindow final : public QDialog {
    Q_OBJECT
public:
    LanguageWindow(AppSettings& settings, QString settingsFile, QWidget* parent = nullptr);
    QComboBox* languageList() const { return Combo1_; }
    void Command1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppSettings& settings_;
    QString settingsFile_;
    QComboBox* Combo1_ = nullptr;
};
