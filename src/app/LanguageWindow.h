#pragma once

#include <QDialog>

class QComboBox;
struct AppSettings;

// The language window: offers the languages this system may use and stores the choice.
class LanguageWindow final : public QDialog {
    Q_OBJECT
public:
    LanguageWindow(AppSettings& settings, QString settingsFile, QWidget* parent = nullptr);
    QComboBox* languageList() const { return languageList_; }
    // OK: takes the chosen language, stores it in the settings file and closes.
    void acceptLanguage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppSettings& settings_;
    QString settingsFile_;
    QComboBox* languageList_ = nullptr;
};
