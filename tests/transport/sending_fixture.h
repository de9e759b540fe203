#pragma once
// An installation in a temporary folder with its data folders, a loaded key
// and mail settings, for the compose and sending tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/box_index.h"
#include "store/boxes.h"
#include "store/installation.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"
#include "transport/fake_smtp_control.h"

namespace ostrel::transport {

class SendingFixture : public ::testing::Test {
 protected:
  SendingFixture() : folder_(temp_.Path().string() + "/"), installation_(folder_, dialogs_) {
    for (const auto name : store::kAttachmentFolders) std::filesystem::create_directory(temp_ / std::string(name));
    for (const auto& box : store::kBoxes) {
      std::filesystem::create_directory(temp_ / std::string(box.name));
      store::WriteBoxIndex(temp_ / std::string(box.name), 0);
    }
    installation_.MailOptions.SmtpServer = "smtp.example.test";
    installation_.MailOptions.EmailAddress = "alice@example.test";
    installation_.MailOptions.UserName = "alice";
    installation_.MailOptions.Password = "secret";
  }

  void LoadKey(std::string key = "123456789012345678") {
    installation_.Engine.LoadKey(key);
    installation_.CurrentKey = key;
  }

  testing::TempFolder temp_;
  std::string folder_;
  testing::RecordingDialogs dialogs_;
  store::Installation installation_;
  FakeSmtpControl smtp_;
};

}  // namespace ostrel::transport
