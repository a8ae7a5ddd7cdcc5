#pragma once
// Modal message boxes.
#include <string>

namespace morv {

enum class MbIcon { None, Critical, Question, Exclamation, Information };
enum class MbButtons { Ok, OkCancel, YesNo };
enum class MbAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  std::string title;
  std::string text;
  MbIcon icon = MbIcon::None;
  MbButtons buttons = MbButtons::Ok;
  int defaultButton = 1;  // 1-based
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Blocks until the user answers; window events go on running meanwhile.
  virtual MbAnswer show(const MessageBoxRequest& request) = 0;
};

}  // namespace morv
