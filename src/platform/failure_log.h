#pragma once

#include <QString>

// A failure told in a box also goes to standard error with its reason, where
// a person who started the program from a terminal, or a bug report, finds
// what the box leaves out. The box's "\r" line breaks become spaces.
void logFailure(const QString& reason);
