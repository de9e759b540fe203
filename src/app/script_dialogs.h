#pragma once
// Dialogs for the command-line tool: message boxes go to standard error, and
// questions get the answer given on the command line, since nobody is there
// to ask.

#include <ostream>

#include "base/dialogs.h"

namespace ostrel::app {

class ScriptDialogs : public base::Dialogs {
 public:
  ScriptDialogs(std::ostream& err, base::Answer answer) : err_(err), answer_(answer) {}
  void Show(const base::MessageBox& box) override { err_ << box.text << "\n"; }
  base::Answer Ask(const base::MessageBox& box) override {
    err_ << box.text << " " << (answer_ == base::Answer::Yes ? "Yes" : "No") << "\n";
    return answer_;
  }
  void SetStatus(std::string_view) override {}

 private:
  std::ostream& err_;
  base::Answer answer_;
};

}  // namespace ostrel::app
