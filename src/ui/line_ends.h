#pragma once
// Texts are stored with CR LF line ends; the text boxes work with LF.

#include <QString>
#include <string>

namespace ostrel::ui {

// Stored text for a text box: each CR LF becomes LF.
QString ShownLines(const std::string& stored);

// A text box's text for storing: each line end becomes CR LF.
std::string StoredLines(const QString& shown);

}  // namespace ostrel::ui
