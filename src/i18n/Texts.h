#pragma once

#include <QString>
#include <QStringList>

// Every message and shared caption in English (language 1) and Chinese (language 2).
constexpr int kEnglish = 1;
constexpr int kChinese = 2;

enum class Msg {
    AllDataCleared,
    FileError,
    CannotOpenPort,
    ReadConfirm,
    WriteConfirm,
    FileModified,
    FileOverwrite,
    CheckConnection,
    ReadCompleted,
    WriteCompleted,
    ModelWrong,
    FreqOutOfRange,
    FirmwareVersionIs,
    SoftwareIs,
    DataFileVersionIs,
    Incompatible,
    FailToStart,
    UnknownDataVersion,
};

enum class Cap {
    DataFile,
    FileName,
    Ok,
    Cancel,
    Close,
    Help,
    CommPort,
    Com,
    LanguageSetup,
    LanguageMode,
};

// Captions of the main window's menu items.
enum class Menu {
    File, FileNew, FileOpen, FileSave, FileSaveAs, FileExit,
    Edit, ChannelInfo, OptFeature, ToneTips, DTMF,
    Program, ReadFromRadio, WriteToRadio,
    Set, Comm, Language,
    View, TreeView, ViewToolbar, ViewStatusBar,
    Window, WindowCascade, CloseAll,
    Help, HelpAbout, Initial,
};

// language outside 1..2 reads as English.
QString Text(Msg key, int language);
QString Text(Cap key, int language);
QString Text(Menu key, int language);
// Names of the languages (English, Chinese) in the given language.
QStringList LanguageNames(int language);
// The completion message of a link operation (1 read, 2 write).
QString CompletedText(int linkOperation, int language);
