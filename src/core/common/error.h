#pragma once
#include <stdexcept>
#include <string>

namespace lithora {

// The one error type of the core. Its message is the text a window shows the user as it
// stands, so it is written for the user ("Error reading file."), not for the developer.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be read. Its message is "Error reading file." as every reader words it;
// reason() says why ("it has no data section"), empty where the file system has the answer,
// so that a command can name the file and the reason on a line of its own.
class ReadError : public Error {
  public:
    explicit ReadError(std::string reason = {})
        : Error("Error reading file."), reason_(std::move(reason)) {}
    const std::string& reason() const { return reason_; }

  private:
    std::string reason_;
};

}  // namespace lithora
