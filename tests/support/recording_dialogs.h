#pragma once
// Dialogs that remember every message box, question and status text, and
// answer questions from a script given by the test.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dialogs.h"

namespace ostrel::testing {

class RecordingDialogs : public base::Dialogs {
 public:
  void Show(const base::MessageBox& box) override { shown.push_back(box); }
  base::Answer Ask(const base::MessageBox& box) override {
    asked.push_back(box);
    if (answers.empty()) throw std::logic_error("unexpected question: " + box.text);
    const base::Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetStatus(std::string_view text) override { statuses.emplace_back(text); }

  // Texts of the message boxes shown, in order.
  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : shown) texts.push_back(box.text);
    return texts;
  }

  std::vector<base::MessageBox> shown;
  std::vector<base::MessageBox> asked;
  std::vector<std::string> statuses;
  std::deque<base::Answer> answers;  // answers to the next questions, in order
};

}  // namespace ostrel::testing
