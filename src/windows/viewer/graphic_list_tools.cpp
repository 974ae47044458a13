// Tools on the graphic list: Find, the type chooser, the file details box and
// the list's colour.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "widgets/colour_box.h"
#include "widgets/file_details.h"
#include "widgets/find_in_list.h"
#include "widgets/list_look.h"
#include "widgets/list_ticks.h"
#include "windows/viewer/graphic_type_chooser.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

void TForm9::Button19Click() {
  Finder->Find(*ListBox1, [this](int row) {
    ShowStatusLine(ListBox1->count());
    Pictures->CurrentIndex = row;
    setLineTicked(*ListBox1, row, true);
    Pictures->CurrentFileName = ListBox1->item(row)->text();
  });
}

void TForm9::Button17Click() { program_.forms.Form11->Open(); }

// What plays elsewhere in the program: a file in the media player, else a CD track.
QString TForm9::soundLine() const {
  const QString mediaTitle = program_.windows.mediaTitle();
  if (!mediaTitle.isEmpty()) return "Sound currently playing: " + mediaTitle;
  if (const std::optional<int> track = program_.windows.cdTrackPlaying())
    return "CD Track: " + QString::number(*track) + " is playing";
  return "No sound file playing";
}

QString TForm9::fileDetailsText(bool withPicture) const {
  QString text;
  if (DisplayListInUse && !DisplayListName.isEmpty())
    text += listFileInUseText("Display List: ", DisplayListName);
  text +=
      fileFactsText(Pictures->CurrentFileName, pathOfCurrentFile(), MidnightTime::Shown) + "\r\r";
  if (withPicture)
    text += "Graphic Height: " + QString::number(pictureSize().height()) + "\r" +
            "Graphic Width:  " + QString::number(pictureSize().width()) + "\r\r";
  return text + soundLine();
}

void TForm9::ShowFileDetails(bool withPicture) {
  if (SearchRunning || Pictures->CurrentFileName.isEmpty()) return;
  program_.ui.messageDlg(MessageKind::Information, fileDetailsText(withPicture));
}

void TForm9::ListBox1RightClick() {
  if (ListBox1->isHidden() || ListBox1->count() == 0) return;
  ShowFileDetails(false);
}

void TForm9::RzColorComboBox1Change() {
  Look->setColour(RzColorComboBox1->colour());
  if (Button2->isEnabled()) Button2->setFocus();
}
