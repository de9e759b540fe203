// Renders every window of the program, filled with sample data,
// into PNG files named after the window: ostrel-screenshots DIR.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
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
#include "ui/about_dialog.h"
#include "ui/attachments_window.h"
#include "ui/browser_window.h"
#include "ui/cipher_text_viewer.h"
#include "ui/clean_up_dialog.h"
#include "ui/desktop.h"
#include "ui/fallback_icons.h"
#include "ui/main_window.h"
#include "ui/notice_dialog.h"

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

  ostrel::ui::MainWindow main(folder, dialogs, desktop);
  main.resize(900, 640);
  main.Load();
  main.Activate();
  // Open the enciphered message (the newest) and decipher it.
  emit main.boxGrid->clicked(main.boxGrid->model()->index(0, 1));
  main.decryptButton->click();
  ok &= ostrel::app::SaveWindow(main, target, "MainWindow");

  // The search over the box shown, and the check code of the key in use.
  auto* search = main.findChild<QLineEdit*>("searchField");
  search->setText("ALICE");
  ok &= ostrel::app::SaveWindow(main, target, "MainWindow-search");
  search->clear();
  main.show();
  QToolTip::showText(main.keyList->mapToGlobal(QPoint(0, main.keyList->height())), main.keyList->toolTip(),
                     main.keyList);
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

  emit main.boxGrid->clicked(main.boxGrid->model()->index(0, 1));
  std::string buffer;
  ostrel::ui::CipherTextViewer viewer(QString::fromStdString(*ostrel::store::CipherViewText(main.PaneText(), buffer)),
                                      nullptr);
  ok &= ostrel::app::SaveWindow(viewer, target, "CipherTextViewer");

  main.rowMenu->adjustSize();
  ok &= ostrel::app::SaveWindow(*main.rowMenu, target, "rowMenu");

  ostrel::ui::BrowserWindow help(folder, folder + "oxmover.htm", desktop, nullptr);
  ok &= ostrel::app::SaveWindow(help, target, "BrowserWindow");
  emit main.boxGrid->clicked(main.boxGrid->model()->index(1, 1));
  ostrel::ui::BrowserWindow web(folder, "", desktop, nullptr);
  ok &= ostrel::app::SaveWindow(web, target, "BrowserWindow-web");

  ostrel::ui::AttachmentsWindow attachments(folder, dialogs, desktop, nullptr);
  attachments.decryptedList->item(0)->setSelected(true);
  ok &= ostrel::app::SaveWindow(attachments, target, "AttachmentsWindow");

  ostrel::ui::CleanUpDialog cleanUp(folder, ostrel::store::BoxName::In, dialogs, nullptr);
  cleanUp.messageList->item(1)->setSelected(true);
  ok &= ostrel::app::SaveWindow(cleanUp, target, "CleanUpDialog");

  ostrel::ui::NoticeDialog notice(folder, dialogs, nullptr);
  ok &= ostrel::app::SaveWindow(notice, target, "NoticeDialog");
  ostrel::ui::AboutDialog about(nullptr);
  ok &= ostrel::app::SaveWindow(about, target, "AboutDialog");

  ok &= ostrel::app::ShootComposeWindows(folder, target);
  ok &= ostrel::app::ShootReceiveAndKeyWindows(folder, target);
  ok &= ostrel::app::ShootSettingsWindows(folder, target);
  ok &= ostrel::ui::ProgramIcon().pixmap(48, 48).save(target.filePath("ostrel-email.png"));
  main.close();
  return ok ? 0 : 1;
}
