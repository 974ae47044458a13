#include <gtest/gtest.h>

#include "platform/shell.h"

namespace {

TEST(DesktopShell, StartsAProgramFoundOnThePathAndTellsAMissingOne) {
  DesktopShell shell;
  EXPECT_EQ(shell.startProgram("true"), ProgramStart::Started);
  EXPECT_EQ(shell.startProgram("corvela-no-such-program"), ProgramStart::NotFound);
}

}  // namespace
