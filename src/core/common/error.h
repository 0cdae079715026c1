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

}  // namespace lithora
