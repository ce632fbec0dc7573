#pragma once

#include <QString>

// Which mysetup.ini the program and the command-line tool use. A tree the user owns (built
// or installed by the user) keeps its settings in DIR/language/mysetup.ini. A system-wide
// installation such as the Debian package under /opt cannot be written by a user, so each
// user keeps a copy in the own configuration folder, taken from the installed file the
// first time the program runs there.

// True when the settings file and its folder may be written by this process: the file is
// replaced through a temporary file beside it, so the folder must be writable too.
bool IsWritableSettingsFile(const QString& installedFile);

// The per-user copy: <configuration folder>/TRK5120/mysetup.ini (~/.config/TRK5120/mysetup.ini);
// empty when the system names no configuration folder.
QString UserSettingsFile();

// The file to use. When the installed file is not writable the user's copy is used, seeded
// from the installed file when it does not exist yet; if that copy cannot be made the
// installed file is still read (changes are then not kept). An empty userFile means the
// installed file.
QString ChooseSettingsFile(const QString& installedFile, bool installedWritable, const QString& userFile);

// ChooseSettingsFile with the writability tested and the user's configuration folder.
QString LocateSettingsFile(const QString& installedFile);
