#include "widgets/type_chooser.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

#include "platform/ui_services.h"
#include "widgets/list_ticks.h"

int typeOfLine(const TypeChooserKind& kind, const QString& line) {
  const qsizetype dot = line.lastIndexOf('.');
  if (dot < 0) return -1;
  const QString extension = line.sliced(dot);
  for (int type = 0; type < int(kind.types.size()); ++type)
    for (const QString& accepted : kind.types[type].extensions)
      if (extension.compare(accepted, Qt::CaseInsensitive) == 0) return type;
  return -1;
}

std::optional<int> applyTypeChoice(const TypeChooserKind& kind, const TypeBoxes& boxes,
                                   QListWidget& list) {
  setEveryLineTicked(list, boxes.all());
  if (boxes.all()) return list.count();
  if (boxes.none()) return 0;
  int selected = 0;
  for (int row = 0; row < list.count(); ++row) {
    const int type = typeOfLine(kind, list.item(row)->text());
    if (type < 0 || !boxes.type(type)) continue;
    setLineTicked(list, row, true);
    ++selected;
  }
  if (selected == 0) return std::nullopt;
  return selected;
}

QString nothingFoundText(const TypeChooserKind& kind, const TypeBoxes& boxes) {
  QString text = "No files found of type(s): \r\r";
  for (int type : kind.reportOrder)
    if (boxes.type(type)) text += kind.types[type].reportText;
  return text;
}

TypeChooser::TypeChooser(Program& program, const TypeChooserKind& kind)
    : Form(program, "Corvela Pro", QSize(300, 252)), kind_(kind), boxes_(int(kind.types.size())) {
  createControls();
  showBoxes();
  centreOnScreen();
  exposeToAccessibility();
}

void TypeChooser::createControls() {
  Note = label("Label1", kind_.note, QRect(12, 8, 276, 32));
  Note->setWordWrap(true);
  CheckBoxes.push_back(checkBox("CheckBox1", "&ALL files selected", {}, QRect(16, 44, 180, 20)));
  CheckBoxes.push_back(checkBox("CheckBox2", "&NO files selected", {}, QRect(16, 66, 180, 20)));
  QFont bold = font();
  bold.setBold(true);
  for (int type = 0; type < int(kind_.types.size()); ++type) {
    const int top = 94 + 22 * type;
    const QByteArray box = "CheckBox" + QByteArray::number(type + 3);
    const QByteArray count = "Label" + QByteArray::number(type + 2);
    CheckBoxes.push_back(checkBox(box, kind_.types[type].caption, {}, QRect(40, top, 100, 20)));
    QLabel* countLabel = label(count, QString(), QRect(150, top, 60, 20));
    countLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countLabel->setFont(bold);
    CountLabels.push_back(countLabel);
  }
  OKButton = button("Button1", "&OK", {}, QRect(60, 214, 80, 26));
  CancelButton = button("Button2", "Cancel", {}, QRect(160, 214, 80, 26));

  // Toggled, not clicked: a box ticked through the accessibility interface
  // is no click, and its rules must run all the same.
  for (int box = 0; box < int(CheckBoxes.size()); ++box)
    handle(CheckBoxes[box], &QCheckBox::toggled, [this, box] { BoxClick(box); });
  handle(OKButton, &QPushButton::clicked, &TypeChooser::OKClick);
  handle(CancelButton, &QPushButton::clicked, &TypeChooser::CancelClick);
  handle(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, &TypeChooser::CancelClick);
}

// The rules have already settled every box: showing them runs no rule again.
void TypeChooser::showBoxes() {
  const auto show = [](QCheckBox* box, bool ticked) {
    const QSignalBlocker quiet(box);
    box->setChecked(ticked);
  };
  show(CheckBoxes[0], boxes_.all());
  show(CheckBoxes[1], boxes_.none());
  for (int type = 0; type < boxes_.typeCount(); ++type)
    show(CheckBoxes[type + 2], boxes_.type(type));
}

void TypeChooser::Open() {
  QListWidget& list = chosenList();
  if (list.currentRow() < 0 && list.count() > 0) list.setCurrentRow(0);
  program_.ui.showModal(this);
}

void TypeChooser::FormActivate() {
  UiServices& ui = program_.ui;
  ui.setCursor(ScreenCursor::HourGlass);
  std::vector<int> counts(kind_.types.size(), 0);
  const QListWidget& list = chosenList();
  for (int row = 0; row < list.count(); ++row) {
    const int type = typeOfLine(kind_, list.item(row)->text());
    if (type >= 0) ++counts[type];
  }
  for (int type = 0; type < int(counts.size()); ++type)
    CountLabels[type]->setText(QString::number(counts[type]));
  CancelButton->setFocus();
  ui.setCursor(ScreenCursor::Normal);
}

void TypeChooser::BoxClick(int box) {
  const bool ticked = CheckBoxes[box]->isChecked();
  if (box == 0)
    boxes_.setAll(ticked);
  else if (box == 1)
    boxes_.setNone(ticked);
  else
    boxes_.setType(box - 2, ticked);
  showBoxes();
}

void TypeChooser::OKClick() {
  UiServices& ui = program_.ui;
  ui.setCursor(ScreenCursor::HourGlass);
  QListWidget& list = chosenList();
  const std::optional<int> selected = applyTypeChoice(kind_, boxes_, list);
  ui.setCursor(ScreenCursor::Normal);
  selectionApplied(selected.value_or(0));
  if (!selected) {
    ui.messageDlg(MessageKind::Information, nothingFoundText(kind_, boxes_));
    boxes_.setNone(true);
    showBoxes();
    return;
  }
  if (list.count() > 0) list.setCurrentRow(0);
  hide();
}

void TypeChooser::CancelClick() { hide(); }
