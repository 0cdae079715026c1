#pragma once
#include <QString>

// Where the program keeps its work and where it finds its lithology patterns.
//
// The program folder is the executable's folder while that folder is writable (a build tree,
// a folder the user unpacked the program into): the work tables, the temporary chart files
// and the single-copy lock live there beside the "Patterns" folder. An installed program
// (under /usr, read-only) keeps them in the user's own data folder instead, so that it can
// start at all and two users of one machine each get a workspace of their own; the patterns
// are then read from the installed data folder (share/lithora/Patterns).
struct ProgramFolders {
    QString work;      // absolute, exists and is writable when chosen
    QString patterns;  // absolute; may not exist (each drawing then reports the missing file)
};

// Chooses both folders for an executable in executableFolder. userDataFolder is where an
// installed program keeps the work of the user who runs it (normally
// QStandardPaths::AppLocalDataLocation); it is created when it is used. Returns an empty
// work folder when neither folder can be written.
ProgramFolders chooseProgramFolders(const QString& executableFolder, const QString& userDataFolder);

// The "Patterns" folder that goes with a program folder: the one chosen at start-up for the
// work folder chosen at start-up (the installed patterns when the program works in the
// user's data folder), the folder's own "Patterns" for any other.
QString patternsFolderFor(const QString& programFolder);

// The folders chosen at start-up, for the windows that read patterns or write chart copies.
// Before setProgramFolders is called, both name the executable's folder (and its "Patterns").
const ProgramFolders& programFolders();
void setProgramFolders(const ProgramFolders& folders);
