#include "wiring/command_line.h"

namespace {

const QString kUsage = QStringLiteral(
    "Usage: corvela [FILE]...\n"
    "Corvela Pro: a CD player, a media player and a graphics viewer in one program.\n"
    "\n"
    "Sound and video files open in the media player, pictures in the graphics\n"
    "viewer and a cue sheet in the CD player's virtual drive. With a copy\n"
    "already running, the files go to it.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Settings are kept in ~/.config/Qelvar Ltd/Corvela.conf.\n"
    "See corvela(1) for more.\n");

}  // namespace

std::optional<QString> commandLineAnswer(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    if (argument == "--help" || argument == "-h") return kUsage;
    if (argument == "--version") return QStringLiteral("Corvela Pro " CORVELA_VERSION "\n");
  }
  return std::nullopt;
}
