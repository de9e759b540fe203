// Renders every window of the program, filled with sample data,
// into PNG files named after the window: ostrel-screenshots DIR.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <iostream>

#include "base/dialogs.h"
#include "sample_installation.h"
#include "screenshot_support.h"
#include "store/message_actions.h"
#include "ui/desktop.h"
#include "ui/fallback_icons.h"
#include "ui/frm_about.h"
#include "ui/frm_attachments.h"
#include "ui/frm_browser.h"
#include "ui/frm_clean_up.h"
#include "ui/frm_main.h"
#include "ui/frm_notice.h"
#include "ui/frm_show.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: ostrel-screenshots DIR\n";
    return 2;
  }
  const QDir target(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(target.path())) return 1;
  QTemporaryDir temporary;
  if (!temporary.isValid()) return 1;
  const std::string folder = QDir(temporary.path()).absolutePath().toStdString() + "/";
  ostrel::app::FillSampleInstallation(folder);

  ostrel::base::UnattendedDialogs dialogs;
  ostrel::app::StillDesktop desktop;
  bool ok = true;

  ostrel::ui::frmMain main(folder, dialogs, desktop);
  main.resize(900, 640);
  main.Load();
  main.Activate();
  // Open the enciphered message (the newest) and decipher it.
  emit main.flex->clicked(main.flex->model()->index(0, 1));
  main.Command1->click();
  ok &= ostrel::app::SaveWindow(main, target, "frmMain");

  // The search over the box shown, and the check code of the key in use.
  auto* search = main.findChild<QLineEdit*>("searchField");
  search->setText("ALICE");
  ok &= ostrel::app::SaveWindow(main, target, "frmMain-search");
  search->clear();
  main.show();
  QToolTip::showText(main.Combo1->mapToGlobal(QPoint(0, main.Combo1->height())), main.Combo1->toolTip(),
                     main.Combo1);
  QApplication::processEvents();
  bool tipShown = false;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (!widget->inherits("QTipLabel") || !widget->isVisible()) continue;
    tipShown = widget->grab().save(target.filePath("keyCheckTip.png"));
  }
  if (!tipShown) std::cerr << "could not write keyCheckTip.png\n";
  ok &= tipShown;
  QToolTip::hideText();
  main.hide();

  emit main.flex->clicked(main.flex->model()->index(0, 1));
  std::string buffer;
  ostrel::ui::frmShow viewer(QString::fromStdString(*ostrel::store::CipherViewText(main.PaneText(), buffer)),
                             nullptr);
  ok &= ostrel::app::SaveWindow(viewer, target, "frmShow");

  main.popm->adjustSize();
  ok &= ostrel::app::SaveWindow(*main.popm, target, "popm");

  ostrel::ui::frmBrowser help(folder, folder + "oxmover.htm", desktop, nullptr);
  ok &= ostrel::app::SaveWindow(help, target, "frmBrowser");
  emit main.flex->clicked(main.flex->model()->index(1, 1));
  ostrel::ui::frmBrowser web(folder, "", desktop, nullptr);
  ok &= ostrel::app::SaveWindow(web, target, "frmBrowser-web");

  ostrel::ui::frmAttachments attachments(folder, dialogs, desktop, nullptr);
  attachments.File2->item(0)->setSelected(true);
  ok &= ostrel::app::SaveWindow(attachments, target, "frmAttachments");

  ostrel::ui::frmCleanUp cleanUp(folder, "In", dialogs, nullptr);
  cleanUp.List1->item(1)->setSelected(true);
  ok &= ostrel::app::SaveWindow(cleanUp, target, "frmCleanUp");

  ostrel::ui::frmNotice notice(folder, dialogs, nullptr);
  ok &= ostrel::app::SaveWindow(notice, target, "frmNotice");
  ostrel::ui::frmAbout about(nullptr);
  ok &= ostrel::app::SaveWindow(about, target, "frmAbout");

  ok &= ostrel::app::ShootComposeWindows(folder, target);
  ok &= ostrel::app::ShootReceiveAndKeyWindows(folder, target);
  ok &= ostrel::app::ShootSettingsWindows(folder, target);
  ok &= ostrel::ui::ProgramIcon().pixmap(48, 48).save(target.filePath("ostrel-email.png"));
  main.close();
  return ok ? 0 : 1;
}
