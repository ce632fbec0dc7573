#pragma once

#include <QString>
#include <QStringList>

// Every message and caption in English (language 1) and Chinese (language 2). Each
// enum ends in Count; the tables are checked against it when the program is compiled.
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
    Count
};

// Captions several windows share.
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
    Yes, // buttons of the message boxes
    No,
    Retry,
    Count
};

// Captions of the main window's menu items.
enum class Menu {
    File,
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileExit,
    Edit,
    ChannelInfo,
    OptFeature,
    ToneTips,
    DTMF,
    Program,
    ReadFromRadio,
    WriteToRadio,
    Set,
    Comm,
    Language,
    View,
    TreeView,
    ViewToolbar,
    ViewStatusBar,
    Window,
    WindowCascade,
    CloseAll,
    Help,
    HelpAbout,
    Initial,
    Count
};

// Texts of single windows: the main window's frame, the About window and the progress window.
enum class WindowText {
    ProgramTitle,       // title of the message boxes and the About window
    BackgroundModel,    // large lettering of the frame's background picture
    BackgroundSubtitle, // the line below it
    AboutCaption,
    AboutVersion, // followed by major.minor.revision
    AboutDescription,
    ReadProgressCaption,
    WriteProgressCaption,
    CompletionPercentage,
    Count
};

// language outside 1..2 reads as English.
QString Text(Msg key, int language);
QString Text(Cap key, int language);
QString Text(Menu key, int language);
QString Text(WindowText key, int language);
// Names of the languages (English, Chinese) in the given language.
QStringList LanguageNames(int language);
// The completion message of a link operation (1 read, 2 write).
QString CompletedText(int linkOperation, int language);
// A caption as a tooltip or title shows it: without its access key, so "&New" gives
// "New" and "新建(&N)" gives "新建".
QString WithoutAccessKey(QString caption);
