// The options dialog and the preview in the toolkit's real modal sessions: the
// preview hides the dialog and brings it back without ending its session.
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "fake_printer.h"
#include "platform/qt_ui_services.h"
#include "program_fixture.h"
#include "windows/print/print_options_dialog.h"
#include "windows/print/print_preview_window.h"

namespace {

// The user's steps, each taken in turn once its window is up. Each step has a
// timer of its own: a step may open a modal session, and a timer does not fire
// again while its own handler runs.
class User : public QObject {
 public:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  explicit User(std::vector<Step> steps) : steps_(std::move(steps)) {
    for (std::size_t index = 0; index < steps_.size(); ++index) {
      auto* timer = new QTimer(this);
      connect(timer, &QTimer::timeout, this, [this, index] {
        if (next_ != index || !steps_[index].ready()) return;
        ++next_;
        steps_[index].act();
      });
      timer->start(20);
    }
  }
  bool done() const { return next_ == steps_.size(); }

 private:
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

// The program on the real toolkit, a fake printer, and a user who gives up
// when stuck, so that the test ends.
struct ModalPrint {
  ModalPrint() {
    options.Printer = std::make_unique<FakePrinter>();
    QTimer::singleShot(10000, &options, [this] {
      preview.hide();
      options.hide();
    });
  }
  int execute() { return options.Execute({QSize(90, 90), {}, "/pictures/a.bmp", "a.bmp"}); }

  // x 6 with the full path, the preview, and a key that closes it; then the last step.
  std::vector<User::Step> previewThen(std::function<void()> last) {
    return {{[this] { return options.isVisible(); },
             [this] {
               options.RadioButton9->click();  // x 6
               options.RadioButton6->click();  // full path
               options.Button3->click();
             }},
            {[this] { return preview.isVisible() && !options.isVisible(); },
             [this] {
               previewSize = preview.client()->size();
               QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
               QApplication::sendEvent(&preview, &press);
             }},
            {[this] { return options.isVisible() && !preview.isVisible(); }, std::move(last)}};
  }

  QtUiServices ui;
  FakePlatform platform;
  IniSettingsBackend settings;
  FakeMediaDeviceFactory devices;
  CorvelaProgram corvela{ui, settings, platform.services(), devices};
  TForm13& options = *corvela.forms.Form13;
  TForm14& preview = *corvela.forms.Form14;
  QSize previewSize;
};

TEST(PrintOptionsModal, ThePreviewReturnsToTheDialogWhichThenPrintsWithItsSettings) {
  ModalPrint f;
  bool keptSettings = false;
  User user(f.previewThen([&] {
    keptSettings = f.options.RadioButton9->isChecked() && f.options.RadioButton6->isChecked();
    f.options.Button1->click();
  }));
  const int zoom = f.execute();

  EXPECT_TRUE(user.done());
  EXPECT_EQ(f.previewSize, QSize(342, 485));
  EXPECT_TRUE(keptSettings);
  EXPECT_EQ(zoom, 6);
}

// The window manager's close button, after a preview has set the zoom.
TEST(PrintOptionsModal, ClosingTheDialogAfterAPreviewAbandonsThePrint) {
  ModalPrint f;
  User user(f.previewThen([&] { f.options.close(); }));
  const int zoom = f.execute();

  EXPECT_TRUE(user.done());
  EXPECT_EQ(zoom, TForm13::Abandoned);
}

}  // namespace
