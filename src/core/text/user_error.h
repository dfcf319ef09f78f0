#pragma once

#include <stdexcept>
#include <string>

namespace tornel {

// A failure the user must be told about. what() is the message text in UTF-8,
// ready for a message box; the command that started the work catches it.
class UserError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A message about one file: its text, then the path on a line of its own, so
// that with several files the user knows which one is meant.
inline std::string FileMessage(const std::string& text, const std::string& path) {
  return text + "\n" + path;
}

}  // namespace tornel
