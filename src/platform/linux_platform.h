#pragma once

#include "platform/display_configuration.h"
#include "platform/instance_marker.h"
#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "platform/process_control.h"
#include "platform/shell.h"
#include "platform/system_information.h"
#include "platform/taskbar.h"
#include "platform/window_finder.h"

// The real facilities of a Linux desktop, owned together.
struct LinuxPlatform {
  LocalSocketInstanceMarker instanceMarker;
  X11WindowFinder windowFinder;
  SystemDisplayConfiguration display;
  LinuxSystemInformation systemInformation;
  SystemProcessControl process;
  Taskbar taskbar;
  DesktopShell shell;
  ScreenPointer pointer;

  // The help viewer is a window of the program's own.
  PlatformServices services(HelpViewer& help) {
    return {instanceMarker, windowFinder, display, systemInformation, process, taskbar,
            help,           shell,        pointer};
  }
};
