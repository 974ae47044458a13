#include "windows/cd/status_checking_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/settings_store.h"
#include "windows/cd/cd_player_window.h"

namespace {

const char* const kItems[] = {"&Normal status setting",     "&2   second status setting",
                              "&3   second status setting", "&4   second status setting",
                              "&5   second status setting", "&6   second status setting",
                              "&7   second status setting", "&8   second status setting",
                              "&9   second status setting", "1&0 second status setting"};

const QString kInformation =
    QString(
        "Status checking is what allows Corvela Pro to perform selected track playing, "
        "random track playing, display of track information and deciding whether a "
        "CD has been removed from the drive. Snag is, this all takes system resources!") +
    "\r\r" +
    "If you find that your system is too sluggish whilst running Corvela Pro, "
    "try one of the settings opposite - the higher the number, the better "
    "your system response will be (but at the expense of Corvela Pro performance!)." +
    "\r\r" + "To stop all status checking, use the \"Normal CD Player\" option.";

const QString kMoreInformation =
    QString(
        "Please be aware that if you take any option other than \"Normal\", the performance "
        "of Corvela Pro will be degraded.") +
    "\r\r" +
    "The higher the number, the poorer the response of Corvela Pro will be (i.e. 10 is worst)." +
    "\r\r" +
    "Finally, should you take the \"Normal CD Player\" option (see main screen), you will lose all "
    "Corvela Pro functionality and, in effect, will be left with a standard CD player only capable "
    "of playing a CD without Track details.";

QString seconds(int status) { return QString::number(status + 1); }

}  // namespace

TForm6::TForm6(Program& program)
    : Form(program, "Corvela Pro CD Status Checking", QSize(470, 290)) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  createRadioGroup();
  createPages();
  CheckBox1 = checkBox("CheckBox1", "&Check for CD Ejection whilst playing",
                       "If on, will check to see if a CD is removed whilst it is playing",
                       QRect(196, 196, 264, 20));
  Label3 = label("Label3", "(This option is best left OFF - unchecked)", QRect(214, 216, 246, 16));
  BitBtn2 = button("BitBtn2", "&OK", QString(), QRect(290, 254, 80, 26));
  BitBtn2->setDefault(true);
  BitBtn1 = button("BitBtn1", "&Abort", QString(), QRect(380, 254, 80, 26));
  handle(CheckBox1, &QCheckBox::toggled, &TForm6::CheckBox1Click);
  handle(BitBtn2, &QPushButton::clicked, &TForm6::BitBtn2Click);
  handle(BitBtn1, &QPushButton::clicked, &TForm6::BitBtn1Click);
  exposeToAccessibility();
}

void TForm6::createRadioGroup() {
  RadioGroup1 = new QGroupBox("CD Player Status Setting", client());
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setGeometry(10, 8, 176, 272);
  RadioGroup1Items = new QButtonGroup(this);
  for (int index = 0; index < 10; ++index) {
    auto* item = new QRadioButton(kItems[index], RadioGroup1);
    item->setObjectName(QString("RadioGroup1Item%1").arg(index));
    item->setGeometry(10, 22 + 24 * index, 160, 20);
    RadioGroup1Items->addButton(item, index);
  }
  handle(RadioGroup1Items, &QButtonGroup::idToggled, [this](int, bool checked) {
    if (checked) RadioGroup1Click();
  });
}

void TForm6::createPages() {
  PageControl1 = new QTabWidget(client());
  PageControl1->setObjectName("PageControl1");
  PageControl1->setGeometry(192, 8, 274, 182);
  for (QLabel** text : {&Label1, &Label2}) {
    *text = new QLabel;
    (*text)->setWordWrap(true);
    (*text)->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    (*text)->setMargin(6);
  }
  Label1->setObjectName("Label1");
  Label2->setObjectName("Label2");
  PageControl1->addTab(Label1, "  Information            ");
  PageControl1->addTab(Label2, "More Information     ");
}

void TForm6::FormActivate() {
  Settings& settings = program_.state.settings;
  Aborted = false;
  Label1->setText(displayText(kInformation));
  Label2->setText(displayText(kMoreInformation));
  BitBtn1->setEnabled(true);
  RememberedStatus = settings.Status;
  if (settings.Status == 0 && settings.CurrentStatus != 0)
    program_.ui.messageDlg(MessageKind::Information,
                           "Corvela Pro temporary status checking of " +
                               seconds(settings.CurrentStatus) + " second(s)" + "\r" +
                               "has now returned to normal status checking...");
  selectItem(settings.Status);
  PageControl1->setCurrentIndex(0);
  CheckBox1->setChecked(settings.PlayCheck);
}

// Selecting the item counts as choosing it, also when it was already selected.
void TForm6::selectItem(int index) {
  QAbstractButton* item = RadioGroup1Items->button(index);
  if (!item) return;
  {
    const QSignalBlocker quiet(RadioGroup1Items);
    item->setChecked(true);
  }
  RadioGroup1Click();
}

void TForm6::RadioGroup1Click() {
  Settings& settings = program_.state.settings;
  settings.Status = settings.CurrentStatus = RadioGroup1Items->checkedId();
}

void TForm6::BitBtn2Click() {
  const int status = program_.state.settings.Status;
  TForm1& cd = *program_.forms.Form1;
  Aborted = false;
  cd.Timer1->setInterval(status >= 1 && status <= 9 ? (status + 1) * 1000 : 100);
  cd.Timer2->setInterval(status != 0 ? status * 1000 : 3000);
  close();
}

void TForm6::BitBtn1Click() {
  Settings& settings = program_.state.settings;
  settings.Status = RememberedStatus;
  program_.forms.Form1->Timer1->setInterval(RememberedStatus != 0 ? RememberedStatus * 1000 : 100);
  settings.CurrentStatus = settings.Status;
  Aborted = true;
  close();
}

void TForm6::FormClose() {
  Settings& settings = program_.state.settings;
  UiServices& ui = program_.ui;
  if (Aborted || settings.Status == 0 || settings.Status == RememberedStatus) return;
  if (ui.askYesNo("Corvela Pro CD Player",
                  "Do you wish this to become your default\rsetting every time you run Corvela "
                  "Pro?") == Answer::No) {
    ui.messageDlg(MessageKind::Information,
                  "Status temporarily set at " + seconds(settings.Status) + " seconds.");
    // This run keeps the choice through CurrentStatus; the next starts normal.
    settings.Status = 0;
  } else {
    ui.messageDlg(MessageKind::Information, "Status set at " + seconds(settings.Status) +
                                                " seconds every time you run Corvela Pro.");
  }
}

void TForm6::CheckBox1Click() {
  program_.state.settings.PlayCheck = CheckBox1->isChecked();
  program_.store.SaveSettings();
}
