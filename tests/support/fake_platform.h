#pragma once

#include <QSet>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/display_configuration.h"
#include "platform/help_viewer.h"
#include "platform/instance_marker.h"
#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "platform/process_control.h"
#include "platform/shell.h"
#include "platform/system_information.h"
#include "platform/taskbar.h"
#include "platform/window_finder.h"

// Thrown where the program would end its process at once.
struct ProcessHalted : std::runtime_error {
  explicit ProcessHalted(int code) : std::runtime_error("process halted"), exitCode(code) {}
  int exitCode;
};

struct FakeInstanceMarker : InstanceMarker {
  bool markerExists = false;
  bool answers = false;
  bool claimed = false;
  int activateRequestsSent = 0;
  std::function<void()> onActivate;

  bool exists() const override { return markerExists; }
  bool runningCopyAnswers() const override { return answers; }
  void claim(std::function<void()> onActivateRequest) override {
    claimed = true;
    markerExists = true;
    onActivate = std::move(onActivateRequest);
  }
  void askRunningCopyToActivate() override { ++activateRequestsSent; }
  void release() override { claimed = false; }
  bool handFilesToRunningCopy(const QString&, const QStringList&) override { return false; }
  void onFilesHandedOver(FilesReceiver) override {}
};

struct FakeWindowFinder : WindowFinder {
  QSet<QString> running;
  QStringList askedToClose;
  bool exists(const QString& windowClass) const override { return running.contains(windowClass); }
  void askToClose(const QString& windowClass) override { askedToClose << windowClass; }
};

struct FakeDisplay : DisplayConfiguration {
  std::optional<QString> dpi = QString();
  std::optional<int> pixels = 96;
  std::optional<QString> dpiLogicalX() const override { return dpi; }
  std::optional<int> logPixels() const override { return pixels; }
};

struct FakeSystemInformation : SystemInformation {
  MemoryStatus memory;
  int processor = 586;
  MemoryStatus memoryStatus() const override { return memory; }
  int processorType() const override { return processor; }
};

struct FakeProcessControl : ProcessControl {
  [[noreturn]] void halt(int exitCode) override { throw ProcessHalted(exitCode); }
};

struct FakeHelpViewer : HelpViewer {
  QStringList shown;  // "contents <folder>" or "keywords <folder>"
  void showContents(const QString& folder) override { shown << "contents " + folder; }
  void showKeywordSearch(const QString& folder) override { shown << "keywords " + folder; }
};

struct FakeShell : Shell {
  QStringList opened;
  QStringList started;
  ProgramStart startResult = ProgramStart::Started;
  void openUrl(const QString& address) override { opened << address; }
  ProgramStart startProgram(const QString& name) override {
    started << name;
    return startResult;
  }
};

struct FakePointer : Pointer {
  std::vector<QPoint> places;  // every place the pointer was put, in order
  void moveTo(QPoint place) override { places.push_back(place); }
};

// Every platform facility as a fake the test can set up and inspect.
struct FakePlatform {
  FakeInstanceMarker instanceMarker;
  FakeWindowFinder windowFinder;
  FakeDisplay display;
  FakeSystemInformation systemInformation;
  FakeProcessControl process;
  Taskbar taskbar;
  FakeHelpViewer help;
  FakeShell shell;
  FakePointer pointer;

  PlatformServices services() {
    return {instanceMarker, windowFinder, display, systemInformation, process, taskbar,
            help,           shell,        pointer};
  }
};
