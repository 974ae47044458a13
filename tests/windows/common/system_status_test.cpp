#include <gtest/gtest.h>
#include <QLabel>
#include <QLocale>

#include "platform/system_information.h"
#include "program/number_format.h"
#include "program/program_state.h"
#include "program_fixture.h"
#include "windows/common/system_status_window.h"

TEST(SystemStatus, ShowsTheMemoryCountsInFullAndTheProcessorType) {
  QLocale::setDefault(QLocale::c());
  ProgramFixture p;
  p.platform.systemInformation.memory = {33554432, 6ull << 30, 0};
  p.platform.systemInformation.processor = 0;
  p.start();
  TForm2& status = *p.forms().Form2;

  status.BitBtn1Click();
  EXPECT_EQ(status.Label1->text(), "Total RAM:  33,554,432 bytes");
  EXPECT_EQ(status.Label2->text(), "Total RAM available:  6,442,450,944 bytes")
      << "counts past 4 GB are shown whole";
  EXPECT_EQ(status.Label3->text(), "Available Swap File:  0 bytes");
  EXPECT_EQ(status.Label4->text(), "Processor: Unknown");

  p.platform.systemInformation.memory.availablePhysical = 1000;
  p.platform.systemInformation.processor = 586;
  status.BitBtn1Click();
  EXPECT_EQ(status.Label2->text(), "Total RAM available:  1,000 bytes");
  EXPECT_EQ(status.Label4->text(), "Processor: Pentium");

  status.BitBtn2Click();
  EXPECT_TRUE(p.state().ModalDialogClosed);
}

TEST(SystemInformation, ReadsMeminfoAsBytesAndNamesOnly32BitProcessorFamilies) {
  const MemoryStatus memory = parseMeminfo(
      "MemTotal:       16318440 kB\nMemFree:  1 kB\nMemAvailable:    8000000 kB\n"
      "SwapTotal: 0 kB\nSwapFree:        2048 kB\n");
  EXPECT_EQ(memory.totalPhysical, 16318440ull * 1024);
  EXPECT_EQ(memory.availablePhysical, 8000000ull * 1024);
  EXPECT_EQ(memory.availableSwap, 2048ull * 1024);

  EXPECT_EQ(processorTypeForFamily(3, true), 386);
  EXPECT_EQ(processorTypeForFamily(4, false), 486);
  EXPECT_EQ(processorTypeForFamily(6, true), 586);
  EXPECT_EQ(processorTypeForFamily(6, false), 0);
  EXPECT_EQ(formatCount(0), "0");
}
