#pragma once

class DisplayConfiguration;
class HelpViewer;
class InstanceMarker;
class Pointer;
class ProcessControl;
class Shell;
class SystemInformation;
class Taskbar;
class WindowFinder;

// The platform facilities the windows use, each behind its own interface.
struct PlatformServices {
  InstanceMarker& instanceMarker;
  WindowFinder& windowFinder;
  DisplayConfiguration& display;
  SystemInformation& systemInformation;
  ProcessControl& process;
  Taskbar& taskbar;
  HelpViewer& help;
  Shell& shell;
  Pointer& pointer;
};
