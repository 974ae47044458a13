#pragma once

#include <QString>
#include <cstdint>

#include "program/settings.h"

// State that crosses windows. One instance, owned by the program and handed to
// every window, so a test can build a fresh program.
struct ProgramState {
  Settings settings;

  // Disc state and identity, kept by the CD player.
  bool DiscLoaded = false;
  bool DiscEjected = false;
  std::uint32_t DiscFingerprint = 0;
  std::uint32_t FirstTrackLength = 0;
  std::uint32_t DiscLength = 0;

  // Hand-back signals from the media player and the graphics viewer.
  bool ReturnedToCdPlayer = false;
  bool DiscChanged = false;

  bool RandomUsedThisRun = false;
  bool WebVisitInProgress = false;
  bool ModalDialogClosed = false;
  bool ClipboardDataPresent = false;
};
