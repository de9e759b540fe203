// The program's application object and the guard every handler runs under:
// failure messages and the last net for exceptions out of an event.

#include <system_error>

#include "ui/guarded.h"
#include "ui/program_application.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

TEST(Guarded, AFailureSaysWhatWasDoneAndTheReasonAsASentence) {
  struct Case {
    const char* name;
    std::function<void()> work;
    std::string shown;
  };
  const Case cases[] = {
      {"system error",
       [] { throw std::system_error(EACCES, std::generic_category(), "cannot open /p/key.dat"); },
       "Start-up failed.\n\nCannot open /p/key.dat: Permission denied."},
      {"sentence kept", [] { throw std::runtime_error("The box is gone."); }, "Start-up failed.\n\nThe box is gone."},
      {"no memory", [] { throw std::bad_alloc(); }, "Start-up failed.\n\nThere is not enough memory."},
      {"not an exception", [] { throw 7; }, "Start-up failed.\n\nAn unexpected error."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    RecordingDialogs dialogs;
    EXPECT_FALSE(ui::RunGuarded(dialogs, "Start-up", test.work));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], (base::MessageBox{test.shown, "", base::Buttons::Ok, base::Icon::Exclamation}));
  }
}

// What a handler throws reaches the same guard from every control; the
// window tests meet it through buttons, grid clicks and list picks.
TEST(Guarded, ControlsNameTheirFailureByCaption) {
  EXPECT_EQ(ui::ActionName("Options/Accounts..."), "\"Options/Accounts\"");
  EXPECT_EQ(ui::ActionName("&Save"), "\"Save\"");
}

// An exception thrown while an event is delivered, past every guard.
class ThrowingWidget : public QWidget {
 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error("cannot read /p/sent.dat: Input/output error");
    return QWidget::event(event);
  }
};

TEST(ProgramApplication, AnExceptionOutOfAnEventIsCaughtAndShownOnceTheEventIsOver) {
  auto* application = qobject_cast<ui::ProgramApplication*>(QCoreApplication::instance());
  ASSERT_NE(application, nullptr);
  RecordingDialogs dialogs;
  application->SetFailureDialogs(&dialogs);
  ThrowingWidget widget;
  QEvent event(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&widget, &event));
  EXPECT_TRUE(dialogs.shown.empty());
  // The same failure again, as a paint that fails each time would give.
  QCoreApplication::sendEvent(&widget, &event);
  QCoreApplication::processEvents();
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("An action failed.\n\nCannot read /p/sent.dat: Input/output error."));
  application->SetFailureDialogs(nullptr);
}

}  // namespace
}  // namespace ostrel::testing
