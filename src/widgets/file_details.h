#pragma once

#include <QString>

// What a list window's details box says of a file: its name, size and age.
// The two windows differ only in data: the name of their kind of list file
// and whether the age of a file stamped exactly at midnight shows the time.
enum class MidnightTime { Shown, LeftOut };

// "<kind>"<name>" is currently in use.\r\r" for the list file the list came
// from; kind is "Play List: " or "Display List: ".
QString listFileInUseText(const QString& kind, const QString& listFileName);

// "Filename: " shownName, "File Size: " n " bytes" and "Age: " date and
// time of the file at path, two line breaks between them and none after.
QString fileFactsText(const QString& shownName, const QString& path, MidnightTime midnight);
