#pragma once
// An installation in a temporary folder with its data folders and mail
// settings, for the compose, sending and receiving tests.

#include <gtest/gtest.h>

#include <string>

#include "store/installation.h"
#include "store/store_folder.h"
#include "support/recording_dialogs.h"
#include "transport/fake_smtp_control.h"

namespace ostrel::mail {

class SendingFixture : public ::testing::Test {
 protected:
  SendingFixture() : folder_(store_.Folder()), installation_(folder_, dialogs_) {
    installation_.MailOptions.SmtpServer = "smtp.example.test";
    installation_.MailOptions.EmailAddress = "alice@example.test";
    installation_.MailOptions.UserName = "alice";
    installation_.MailOptions.Password = "secret";
  }

  void LoadKey(std::string key = "123456789012345678") {
    installation_.Engine.LoadKey(key);
    installation_.CurrentKey = key;
  }

  testing::StoreFolder store_;
  std::string folder_;
  testing::RecordingDialogs dialogs_;
  store::Installation installation_;
  transport::FakeSmtpControl smtp_;
};

}  // namespace ostrel::mail
