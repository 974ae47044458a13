#include "windows/media/media_type_chooser.h"

#include "program/forms.h"
#include "windows/media/media_player_window.h"

namespace {

// The nothing-found message names sound types before video, and its last
// name, video, ends without line breaks.
const TypeChooserKind MediaTypes{
    "Select ALL files, NO files or any combination e.g. AVI and WAV only etc.",
    {{"A&VI", {".avi"}, "AVI\r\r"},
     {"&MID", {".mid"}, "MID\r\r"},
     {"MPE&G", {".mp2", ".mp3"}, "MPEG Sound\r\r"},
     {"M&PG", {".mpg", ".dat"}, "MPEG Video"},
     {"&WAV", {".wav"}, "WAV\r\r"}},
    {0, 1, 4, 2, 3}};

}  // namespace

TForm10::TForm10(Program& program) : TypeChooser(program, MediaTypes) {}

QListWidget& TForm10::chosenList() { return *program_.forms.Form4->ListBox1; }

void TForm10::selectionApplied(int selectedCount) {
  program_.forms.Form4->SubSelectApplied(selectedCount);
}
