#pragma once
// An installation in a temporary folder with its data folders and mail
// settings, for the compose, sending and receiving tests.

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

// The boxes with empty indexes and the attachment folders of a program folder.
inline void CreateDataFolders(const std::filesystem::path& folder) {
  for (const auto name : store::kAttachmentFolders) std::filesystem::create_directory(folder / std::string(name));
  for (const auto& box : store::kBoxes) {
    std::filesystem::create_directory(folder / std::string(box.name));
    store::WriteBoxIndex(folder / std::string(box.name), 0);
  }
}

class SendingFixture : public ::testing::Test {
 protected:
  SendingFixture() : folder_(temp_.Path().string() + "/"), installation_(folder_, dialogs_) {
    CreateDataFolders(temp_.Path());
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
