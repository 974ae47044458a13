#include "wiring/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, HelpAndVersionAnswerWhereverTheyStandAndFilesAskNothing) {
  EXPECT_TRUE(commandLineAnswer({"--help"})->startsWith("Usage: corvela [FILE]..."));
  EXPECT_EQ(commandLineAnswer({"song.wav", "-h"}), commandLineAnswer({"--help"}));
  EXPECT_TRUE(commandLineAnswer({"--version"})->startsWith("Corvela Pro 1."));
  EXPECT_FALSE(commandLineAnswer({}));
  EXPECT_FALSE(commandLineAnswer({"song.wav", "picture.jpg", "--helpful.bmp"}));
}
