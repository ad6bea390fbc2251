#pragma once
// Where a recorder link reports: the owner's status list and message boxes.

#include <string>

namespace tavo {

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // A line for the owner's "Status:" list; owners without one drop it.
    virtual void AppendStatus(const std::string& line) = 0;
    // A message box with one OK button, captioned with the application's title.
    virtual void ShowMessage(const std::string& text) = 0;
};

} // namespace tavo
