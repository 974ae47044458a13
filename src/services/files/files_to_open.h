#pragma once

#include <QStringList>

class FileTypes;

// The files that paths handed in from outside the open dialog stand for (the
// command line, a drop): each named file of the accepted types, and the files
// of those types directly inside each named folder, by name. Paths that name
// nothing, and files of other types, are left out.
QStringList filesToOpen(const QStringList& paths, const FileTypes& types);
