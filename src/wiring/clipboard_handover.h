#pragma once

#include <QString>
#include <optional>

// As the program ends: a picture it still owns on the clipboard outlives it
// only if someone takes it over. Where no clipboard manager will (the toolkit
// hands over to one by itself), the keeper program (`keeper --keep`) gets it
// and serves it until another program takes the clipboard. Returns the
// keeper's process id when one took the picture.
std::optional<qint64> HandClipboardToKeeper(const QString& keeper);
