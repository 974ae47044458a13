#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "program/form.h"
#include "widgets/type_boxes.h"

class QListWidget;

// One type box of a chooser.
struct ChooserType {
  QString caption;  // "&BMP"
  std::vector<QString> extensions;  // lower case, with the dot: ".bmp"
  QString reportText;  // its part of the nothing-found message: "BMP\r\r"
};

// What one window's type chooser offers.
struct TypeChooserKind {
  QString note;
  std::vector<ChooserType> types;  // in the order the boxes stand
  std::vector<int> reportOrder;  // the types' order in the nothing-found message
};

// The type a line's extension (from its last ".") belongs to; -1 for none.
int typeOfLine(const TypeChooserKind& kind, const QString& line);

// Ticks the list's lines as the boxes say. Returns how many lines are ticked,
// or nullopt when types were ticked and no line is of any of them.
std::optional<int> applyTypeChoice(const TypeChooserKind& kind, const TypeBoxes& boxes,
                                   QListWidget& list);

// "No files found of type(s): " with each ticked type, in report order.
QString nothingFoundText(const TypeChooserKind& kind, const TypeBoxes& boxes);

// The "Su&b Select" dialog of a list window: ticks the window's lines by type.
// A window's chooser names the list it works on and hears the new count.
class TypeChooser : public Form {
  Q_OBJECT
 public:
  TypeChooser(Program& program, const TypeChooserKind& kind);

  // "Su&b Select": with no line highlighted the first one is, then the
  // chooser shows modally.
  void Open();

  // Counts the list's lines of each type beside the boxes.
  void FormActivate() override;
  void BoxClick(int box);  // 0 ALL, 1 NO, then the types
  void OKClick();
  void CancelClick();

  const TypeBoxes& boxes() const { return boxes_; }

  QLabel* Note;
  std::vector<QCheckBox*> CheckBoxes;  // ALL, NO, then one per type
  std::vector<QLabel*> CountLabels;  // one per type
  QPushButton* OKButton;
  QPushButton* CancelButton;

 protected:
  virtual QListWidget& chosenList() = 0;
  // The lines' ticks changed: the window shows the new count.
  virtual void selectionApplied(int selectedCount) = 0;

 private:
  void createControls();
  void showBoxes();

  const TypeChooserKind& kind_;
  TypeBoxes boxes_;
};
