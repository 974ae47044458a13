#include "widgets/list_look.h"

#include <QLabel>
#include <QListWidget>

#include "program/settings.h"

QColor colourFromSetting(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int settingFromColour(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QSize LineHeight::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), height};
}

namespace {

constexpr int TextSize = 8;

int heightFor(int points) { return points + points / 2; }

void setFont(QWidget& widget, std::optional<bool> bold, std::optional<int> points) {
  QFont font = widget.font();
  if (bold) font.setBold(*bold);
  if (points) font.setPointSize(*points);
  widget.setFont(font);
}

}  // namespace

ListLook::ListLook(Settings& settings, QListWidget& list, QLabel& text, bool textFollows)
    : settings_(settings),
      list_(list),
      text_(text),
      textFollows_(textFollows),
      lineHeight_(new LineHeight(&list)) {
  list_.setItemDelegate(lineHeight_);
}

int ListLook::size() const { return list_.font().pointSize(); }

void ListLook::setBold(bool listBold, bool textBold) {
  setFont(list_, listBold, std::nullopt);
  if (textFollows_) setFont(text_, textBold, std::nullopt);
}

void ListLook::setSize(int points) {
  setFont(list_, std::nullopt, points);
  setLineHeight(heightFor(points));
  settings_.Size = points;
}

void ListLook::setLineHeight(int height) {
  lineHeight_->height = height;
  // The view measures its lines again only when told its items changed.
  list_.setUniformItemSizes(false);
  list_.doItemsLayout();
}

// The list keeps its classic white ground whatever the desktop's palette: the
// colours chosen for its text were chosen on white, and are unreadable on a
// dark ground.
void ListLook::showColour(const QColor& colour) {
  for (QWidget* widget : {static_cast<QWidget*>(&list_), static_cast<QWidget*>(&text_)}) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    if (widget == &list_) palette.setColor(QPalette::Base, Qt::white);
    widget->setPalette(palette);
  }
}

void ListLook::Normal() {
  setBold(false, false);
  settings_.Normal = 0;
  settings_.Bold = 0;
}

void ListLook::Bold() {
  setBold(true, true);
  settings_.Normal = 0;
  settings_.Min = 0;
  settings_.Bold = 1;
}

void ListLook::Default() {
  setBold(true, true);
  setSize(10);
  setLineHeight(16);
  if (textFollows_) setFont(text_, std::nullopt, TextSize);
  showColour(colourFromSetting(DefaultColour));
  settings_.Colour = DefaultColour;
  settings_.Normal = 1;
  settings_.Bold = 1;
  settings_.Min = 0;
}

void ListLook::Min() {
  setBold(false, false);
  setSize(8);
  if (textFollows_) setFont(text_, std::nullopt, TextSize);
  settings_.Normal = 0;
  settings_.Bold = 0;
  settings_.Min = 0;
}

void ListLook::Max() {
  setBold(true, true);
  setSize(24);
  if (textFollows_) setFont(text_, std::nullopt, TextSize);
  settings_.Normal = 0;
  settings_.Bold = 1;
  settings_.Min = 1;
}

void ListLook::Smaller() {
  const int now = size();
  const int next = now == 24 ? 18 : now == 18 ? 14 : now == 14 ? 12 : now == 12 ? 10 : 8;
  setSize(next);
  if (textFollows_ && next <= 12) setFont(text_, std::nullopt, TextSize);
  settings_.Min = 0;
  settings_.Normal = 0;
}

void ListLook::Larger() {
  const int now = size();
  const int next = now == 8 ? 10 : now == 10 ? 12 : now == 12 ? 14 : now == 14 ? 18 : 24;
  setSize(next);
  if (textFollows_ && next <= 12) setFont(text_, std::nullopt, TextSize);
  settings_.Min = 0;
  settings_.Normal = 0;
}

void ListLook::setColour(const QColor& colour) {
  showColour(colour);
  settings_.Colour = settingFromColour(colour);
  settings_.Normal = 0;
}

void ListLook::applySettings() {
  showColour(colourFromSetting(settings_.Colour));
  const auto boldOrNormal = [this] { settings_.Bold ? Bold() : Normal(); };
  if (settings_.Normal) {
    Default();
  } else if (settings_.Min) {
    Max();
    boldOrNormal();
  } else if (settings_.Size == 8 && !settings_.Bold) {
    Min();
  } else {
    boldOrNormal();
  }
  setSize(settings_.Size);
  if (textFollows_) setFont(text_, std::nullopt, TextSize);
}
