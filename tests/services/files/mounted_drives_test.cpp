#include "platform/mounted_drives.h"

#include <gtest/gtest.h>

TEST(MountedDrives, AreTheMountPointsOfRealFileSystemsEachOnceWithEscapesDecoded) {
  const QByteArray table =
      "proc /proc proc rw,relatime 0 0\n"
      "sysfs /sys sysfs rw,relatime 0 0\n"
      "/dev/sda1 / ext4 rw,relatime 0 0\n"
      "tmpfs /run tmpfs rw,nosuid 0 0\n"
      "tmpfs /run/user/1000 tmpfs rw,nosuid 0 0\n"
      "tmpfs /dev/shm tmpfs rw 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sdb1 /media/me/USB\\040Stick vfat rw 0 0\n"
      "/dev/sda1 / ext4 rw,relatime 0 0\n"
      "\n";
  EXPECT_EQ(driveRootsFromMountTable(table), QStringList({"/", "/tmp", "/media/me/USB Stick"}));
}

TEST(MountedDrives, OfThisSystemIncludeTheRoot) {
  EXPECT_TRUE(SystemMountedDrives().roots().contains("/"));
}
