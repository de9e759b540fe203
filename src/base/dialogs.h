#pragma once
// How a flow talks to the person using it. The flows below the windows never
// show anything themselves: they hand each message box, question and status
// text to a Dialogs object, which the windows implement with real message
// boxes and the tests with a recording fake.

#include <string>
#include <string_view>
#include <utility>

namespace ostrel::base {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Exclamation, Critical, Question };

struct MessageBox {
  std::string text;
  std::string title;  // empty: the program's own title
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;

  bool operator==(const MessageBox&) const = default;
};

// A plain message box: the text, an OK button, no title, no icon unless given.
inline MessageBox PlainBox(std::string text, Icon icon = Icon::None) {
  MessageBox box;
  box.text = std::move(text);
  box.icon = icon;
  return box;
}

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box; returns when the person has dismissed it.
  virtual void Show(const MessageBox& box) = 0;
  // A question with the box's buttons; returns the button chosen.
  virtual Answer Ask(const MessageBox& box) = 0;
  // The main window's status line (repainted at once).
  virtual void SetStatus(std::string_view text) = 0;
};

// Dialogs for code that runs without anyone to ask (scripts): message boxes
// go to standard error, questions get the given answer.
class UnattendedDialogs : public Dialogs {
 public:
  explicit UnattendedDialogs(Answer answer = Answer::No) : answer_(answer) {}
  void Show(const MessageBox& box) override;
  Answer Ask(const MessageBox& box) override;
  void SetStatus(std::string_view text) override;

 private:
  Answer answer_;
};

}  // namespace ostrel::base
