#include "services/files/list_widget_lines.h"

#include <gtest/gtest.h>
#include <QListWidget>

TEST(ListWidgetLines, KeepEachLinesRealPathBesideItsTextAndAddLinesWithoutATickChangeEvent) {
  QListWidget widget;
  int tickChanges = 0;
  QObject::connect(&widget, &QListWidget::itemChanged, [&] { ++tickChanges; });
  ListWidgetLines lines(widget);

  EXPECT_TRUE(lines.append(ListLine::forFile("/Music/One.MP3"), true));
  EXPECT_TRUE(lines.append(ListLine::forFile("/Music/Two.wav"), false));

  ASSERT_EQ(lines.count(), 2);
  EXPECT_EQ(widget.item(0)->text(), "/music/one.mp3");
  EXPECT_EQ(lines.line(0), ListLine({"/music/one.mp3", "/Music/One.MP3"}));
  EXPECT_TRUE(lines.ticked(0));
  EXPECT_FALSE(lines.ticked(1));
  EXPECT_EQ(tickChanges, 0);

  lines.setVisible(false);
  EXPECT_TRUE(widget.isHidden());
  lines.clear();
  EXPECT_EQ(widget.count(), 0);
}
