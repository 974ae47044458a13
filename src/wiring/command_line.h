#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line may ask before any window opens: the usage or the
// version, printed by the caller, and the run ends there. Any other argument
// is a file to open; the settings stay the program's only configuration.
std::optional<QString> commandLineAnswer(const QStringList& arguments);
