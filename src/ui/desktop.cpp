#include "ui/desktop.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>

#include "base/dialogs.h"
#include "ui/page_printer.h"

namespace ostrel::ui {

void QtDesktop::RunModal(QDialog& window) { window.exec(); }

void QtDesktop::PopUp(QMenu& menu, const QPoint& at) { menu.exec(at); }

std::optional<std::filesystem::path> QtDesktop::ChooseFileToOpen(QWidget* parent, const QString& title) {
  const QString chosen = QFileDialog::getOpenFileName(parent, title);
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(chosen.toStdString());
}

std::optional<std::filesystem::path> QtDesktop::ChooseFolder(QWidget* parent, const QString& title) {
  const QString chosen = QFileDialog::getExistingDirectory(parent, title);
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(chosen.toStdString());
}

std::optional<QColor> QtDesktop::ChooseColor(QWidget* parent, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

std::optional<QFont> QtDesktop::ChooseFont(QWidget* parent, const QFont& initial) {
  bool accepted = false;
  const QFont chosen = QFontDialog::getFont(&accepted, initial, parent);
  if (!accepted) return std::nullopt;
  return chosen;
}

bool QtDesktop::OpenWithDefaultApplication(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

void QtDesktop::OpenLink(const QUrl& link) {
  // Only ordinary web and mail links leave the program.
  const QString scheme = link.scheme().toLower();
  if (scheme == "http" || scheme == "https" || scheme == "mailto") QDesktopServices::openUrl(link);
}

void QtDesktop::Print(QWidget* parent, const std::vector<std::string>& lines) {
  if (!QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinters().isEmpty()) {
    QPrinter printer(QPrinterInfo::defaultPrinter());
    PrintPage(printer, lines);
    return;
  }
  const auto answer = dialogs_.Ask(base::MessageBox{
      "No printer is installed.  Do you want to save the page as a PDF file instead?", "Print",
      base::Buttons::YesNo, base::Icon::Question});
  if (answer != base::Answer::Yes) return;
  const QString file = QFileDialog::getSaveFileName(parent, "Save Page as PDF", "message.pdf", "PDF files (*.pdf)");
  if (file.isEmpty()) return;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  PrintPage(printer, lines);
}

}  // namespace ostrel::ui
