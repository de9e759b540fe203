// Renders every window of the main window's family, filled with sample data,
// into PNG files named after the window: ostrel-screenshots DIR.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <iostream>

#include "base/dialogs.h"
#include "sample_installation.h"
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

namespace {

// Windows opened from the main window are rendered on their own below.
class StillDesktop : public ostrel::ui::Desktop {
 public:
  void RunModal(QDialog&) override {}
  void PopUp(QMenu&, const QPoint&) override {}
  std::optional<std::filesystem::path> ChooseFileToOpen(QWidget*, const QString&) override { return {}; }
  bool OpenWithDefaultApplication(const std::filesystem::path&) override { return true; }
  void OpenLink(const QUrl&) override {}
  void Print(QWidget*, const std::vector<std::string>&) override {}
};

bool Save(QWidget& window, const QDir& target, const QString& name) {
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(target.filePath(name + ".png"));
  window.hide();
  if (!saved) std::cerr << "could not write " << name.toStdString() << ".png\n";
  return saved;
}

}  // namespace

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
  StillDesktop desktop;
  bool ok = true;

  ostrel::ui::frmMain main(folder, dialogs, desktop);
  main.resize(900, 640);
  main.Load();
  main.Activate();
  // Open the enciphered message (the newest) and decipher it.
  emit main.flex->clicked(main.flex->model()->index(0, 1));
  main.Command1->click();
  ok &= Save(main, target, "frmMain");

  emit main.flex->clicked(main.flex->model()->index(0, 1));
  std::string buffer;
  ostrel::ui::frmShow viewer(QString::fromStdString(*ostrel::store::CipherViewText(main.PaneText(), buffer)),
                             nullptr);
  ok &= Save(viewer, target, "frmShow");

  main.popm->adjustSize();
  ok &= Save(*main.popm, target, "popm");

  ostrel::ui::frmBrowser help(folder, folder + "oxmover.htm", desktop, nullptr);
  ok &= Save(help, target, "frmBrowser");
  emit main.flex->clicked(main.flex->model()->index(1, 1));
  ostrel::ui::frmBrowser web(folder, "", desktop, nullptr);
  ok &= Save(web, target, "frmBrowser-web");

  ostrel::ui::frmAttachments attachments(folder, dialogs, desktop, nullptr);
  attachments.File2->item(0)->setSelected(true);
  ok &= Save(attachments, target, "frmAttachments");

  ostrel::ui::frmCleanUp cleanUp(folder, "In", dialogs, nullptr);
  cleanUp.List1->item(1)->setSelected(true);
  ok &= Save(cleanUp, target, "frmCleanUp");

  ostrel::ui::frmNotice notice(folder, nullptr);
  ok &= Save(notice, target, "frmNotice");
  ostrel::ui::frmAbout about(nullptr);
  ok &= Save(about, target, "frmAbout");

  ok &= ostrel::ui::ProgramIcon().pixmap(48, 48).save(target.filePath("ostrel-email.png"));
  main.close();
  return ok ? 0 : 1;
}
