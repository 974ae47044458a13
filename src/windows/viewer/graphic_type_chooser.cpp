#include "windows/viewer/graphic_type_chooser.h"

#include <QLabel>
#include <QListWidget>

#include "program/forms.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

const TypeChooserKind PictureTypes{
    "Select ALL files, NO files or any combination e.g. BMP and WMF only etc.",
    {{"&BMP", {".bmp"}, "BMP\r\r"},
     {"&FIF", {".fif"}, "FIF\r\r"},
     {"&ICO", {".ico"}, "ICO\r\r"},
     {"JP&G", {".jpg"}, "JPG\r\r"},
     {"&WMF", {".wmf"}, "WMF\r\r"}},
    {0, 1, 2, 4, 3}};

}  // namespace

TForm11::TForm11(Program& program) : TypeChooser(program, PictureTypes) {}

QListWidget& TForm11::chosenList() { return *program_.forms.Form9->ListBox1; }

void TForm11::selectionApplied(int selectedCount) {
  TForm9& viewer = *program_.forms.Form9;
  viewer.SelectedCount = selectedCount;
  viewer.ShowStatusLine();
  viewer.Label3->setText(QString::number(selectedCount));
}
