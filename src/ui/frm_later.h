#pragma once
// Stands in for a window that a later version of the program brings
// (compose, key management, options, address book, signatures, filters,
// check mail): it names the window and says so.

#include <QDialog>

namespace ostrel::ui {

class frmLater : public QDialog {
  Q_OBJECT

 public:
  // windowName: the window's own name ("frmNewMsg"); title: what the person
  // asked for ("New Message").
  frmLater(const QString& windowName, const QString& title, QWidget* parent);
};

}  // namespace ostrel::ui
