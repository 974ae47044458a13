#pragma once

#include <QColor>
#include <QStyledItemDelegate>

struct Settings;
class QLabel;
class QListWidget;

// Settings keep colours as 0x00BBGGRR.
QColor colourFromSetting(int value);
int settingFromColour(const QColor& colour);

// Gives every line of a list the same height.
class LineHeight : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  int height = 15;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The look of a list window's list and of the line of text under it, set
// from the look buttons and kept in the settings ("Bold", "Size", "Min" for
// the Max look, "Normal" for the Default look, "Colour").
class ListLook {
 public:
  // With textFollows, the text line takes the list's boldness and a size of
  // 8 points; otherwise it only takes the colour.
  ListLook(Settings& settings, QListWidget& list, QLabel& text, bool textFollows);

  void Normal();
  void Bold();
  void Default();
  void Min();
  void Max();
  void Smaller();  // "-"
  void Larger();  // "+"
  void setColour(const QColor& colour);

  // The stored look, as the window shows it when it becomes active.
  void applySettings();

  // The colour on screen only, the settings untouched.
  void showColour(const QColor& colour);

  int size() const;
  int lineHeight() const { return lineHeight_->height; }

  static constexpr int DefaultColour = 0x00FF0000;  // blue

 private:
  void setBold(bool listBold, bool textBold);
  void setSize(int points);
  void setLineHeight(int height);

  Settings& settings_;
  QListWidget& list_;
  QLabel& text_;
  bool textFollows_;
  LineHeight* lineHeight_;
};
