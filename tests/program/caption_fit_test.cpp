// Every caption of every window fits its control at the program's own font:
// the fixed layouts leave no room for a text that runs on under its neighbour.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>

#include "program/form.h"
#include "program_fixture.h"

namespace {

// The text as shown: "&&" is one "&", a lone "&" marks the mnemonic.
QString shownText(QString text) {
  text.replace("&&", QChar(0x1));
  text.remove('&');
  return text.replace(QChar(0x1), '&');
}

// The width the style leaves for a button's text: inside a push button's
// frame, beside a check box's or radio button's indicator.
int textRoom(QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  const QStyle::SubElement contents =
      qobject_cast<QPushButton*>(&button) ? QStyle::SE_PushButtonContents
      : qobject_cast<QCheckBox*>(&button) ? QStyle::SE_CheckBoxContents
                                          : QStyle::SE_RadioButtonContents;
  return button.style()->subElementRect(contents, &option, &button).width();
}

QString clipped(QWidget& control) {
  const QFontMetrics metrics = control.fontMetrics();
  if (auto* tabs = qobject_cast<QTabWidget*>(&control)) {
    const int needed = tabs->tabBar()->sizeHint().width();
    return needed <= tabs->width() ? QString() : "the tabs need " + QString::number(needed);
  }
  if (auto* label = qobject_cast<QLabel*>(&control)) {
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return {};
    const QString text = shownText(label->text());
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed =
        metrics.boundingRect(QRect(room.topLeft(), QSize(room.width(), 10000)), flags, text);
    if (needed.width() <= room.width() && needed.height() <= room.height()) return {};
    return text + " needs " + QString::number(needed.width());
  }
  auto* button = qobject_cast<QAbstractButton*>(&control);
  if (!button || button->text().isEmpty()) return {};
  const QString text = shownText(button->text());
  const int needed = metrics.horizontalAdvance(text);
  return needed <= textRoom(*button) ? QString() : text + " needs " + QString::number(needed);
}

TEST(CaptionFit, EveryTextOfEveryWindowFitsItsControl) {
  ProgramFixture p;
  p.start();
  for (Form* window : p.forms().all()) {
    window->ensurePolished();
    for (QWidget* control : window->findChildren<QWidget*>()) {
      control->ensurePolished();
      const QString text = clipped(*control);
      EXPECT_TRUE(text.isEmpty()) << window->metaObject()->className() << " "
                                  << control->objectName().toStdString() << ": "
                                  << text.toStdString() << " in " << control->width() << "x"
                                  << control->height();
    }
  }
}

}  // namespace
