// The main window's search over the box shown: a field above the grid (Ctrl+F
// goes to it, Escape in it or in the grid empties it) that narrows the grid
// to the rows whose From, Subject or Date hold the text typed.
//
// "2 of 3" goes in a label beside the field, not into the frame caption: the
// caption ("InBox (3 msgs)") keeps telling the box and its size, and the
// clean-up button reads the box from it.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "ui/box_table_model.h"
#include "ui/main_window.h"
#include "ui/named_control.h"

namespace ostrel::ui {

void MainWindow::BuildSearch() {
  searchField_ = Named<QLineEdit>("searchField", boxFrame);
  searchField_->setPlaceholderText("Search From, Subject and Date (Ctrl+F)");
  searchField_->setClearButtonEnabled(true);
  searchCount_ = Named<QLabel>("searchCount", boxFrame);
  searchCount_->setMinimumWidth(searchCount_->fontMetrics().horizontalAdvance("100000 of 100000") + 8);
  searchCount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* row = new QHBoxLayout;
  row->addWidget(searchField_, 1);
  row->addWidget(searchCount_);
  // Above the grid, inside the frame whose caption names the box searched.
  if (auto* frameLayout = qobject_cast<QBoxLayout*>(boxFrame->layout())) frameLayout->insertLayout(0, row);

  connect(searchField_, &QLineEdit::textChanged, this, &MainWindow::SearchShownBox);
  // Enter goes on to the first row found.
  connect(searchField_, &QLineEdit::returnPressed, this, [this] {
    if (!boxGrid->isVisible() || model_->rowCount() == 0) return;
    boxGrid->setFocus(Qt::OtherFocusReason);
    boxGrid->setCurrentIndex(model_->index(0, 1));
  });
  auto* find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, this, [this] {
    searchField_->setFocus(Qt::ShortcutFocusReason);
    searchField_->selectAll();
  });
  searchField_->installEventFilter(this);
}

bool MainWindow::SearchKeyEvent(QObject* watched, QEvent* event) {
  if (watched == searchField_ && event->type() == QEvent::FocusIn) {
    try {
      model_->PrepareSearch();
    } catch (const std::exception& error) {
      ShowStatus(std::string("The box could not be searched: ") + error.what());
    }
    return false;
  }
  if ((watched != searchField_ && watched != boxGrid) || event->type() != QEvent::KeyPress ||
      static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape || searchField_->text().isEmpty()) {
    return false;
  }
  searchField_->clear();
  return true;
}

void MainWindow::SearchShownBox(const QString& text) {
  try {
    model_->Search(text.toStdString());
  } catch (const std::exception& error) {
    // The grid then shows what it showed before.
    ShowStatus(std::string("The box could not be searched: ") + error.what());
  }
  ShowSearchCount();
}

void MainWindow::ShowSearchCount() {
  searchCount_->setText(model_->Searching() && !model_->BoxName().empty()
                            ? QString("%1 of %2").arg(model_->ShownCount()).arg(model_->BoxCount())
                            : QString());
}

// A search belongs to the box it was typed for: another box shows whole.
void MainWindow::EndSearchOnOtherBox() {
  if (model_->BoxName() == CurrentBoxName() || searchField_->text().isEmpty()) return;
  const QSignalBlocker quiet(searchField_);
  searchField_->clear();
  model_->Search("");
}

}  // namespace ostrel::ui
