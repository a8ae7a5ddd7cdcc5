#pragma once
// Which of Morvane's boxes are open. Every modal box the program shows (message boxes,
// About, help, any dialog of its own) is counted here, so that the window can refuse
// commands underneath it and keep to one close query.
#include <functional>

#include "platform/alarms_dialog.h"
#include "platform/message_box.h"
#include "platform/repeat_dialog.h"

namespace morv {

class Modality {
 public:
  bool boxOpen() const { return open_ > 0; }
  // Runs each time the last open box closes.
  void setOnAllClosed(std::function<void()> action) { onAllClosed_ = std::move(action); }

 private:
  friend class ModalScope;
  void opened() { ++open_; }
  void closed();

  int open_ = 0;
  std::function<void()> onAllClosed_;
};

// Held for as long as a box is open: the one way a modal dialog tells the window so.
class ModalScope {
 public:
  explicit ModalScope(Modality& modality) : modality_(modality) { modality_.opened(); }
  ~ModalScope() { modality_.closed(); }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  Modality& modality_;
};

// The program's message boxes, each counted while it is open.
class TrackedBoxes : public MessageBoxes {
 public:
  TrackedBoxes(MessageBoxes& boxes, Modality& modality) : boxes_(boxes), modality_(modality) {}
  MbAnswer show(const MessageBoxRequest& request) override {
    const ModalScope open(modality_);
    return boxes_.show(request);
  }

 private:
  MessageBoxes& boxes_;
  Modality& modality_;
};

// The repeat days box, counted while it is open.
class TrackedRepeatDialog : public RepeatDialog {
 public:
  TrackedRepeatDialog(RepeatDialog& dialog, Modality& modality)
      : dialog_(dialog), modality_(modality) {}
  std::optional<Weekdays> show(Weekdays current) override {
    const ModalScope open(modality_);
    return dialog_.show(current);
  }

 private:
  RepeatDialog& dialog_;
  Modality& modality_;
};

// The alarms boxes, counted while open.
class TrackedAlarmsDialog : public AlarmsDialog {
 public:
  TrackedAlarmsDialog(AlarmsDialog& dialog, Modality& modality)
      : dialog_(dialog), modality_(modality) {}
  void show(AlarmsDialogEvents& events) override {
    const ModalScope open(modality_);
    dialog_.show(events);
  }
  std::optional<AlarmEdit> edit(const std::string& title, const AlarmEdit& initial,
                                AlarmEditFields fields,
                                const std::function<bool(const AlarmEdit&)>& accept) override {
    const ModalScope open(modality_);
    return dialog_.edit(title, initial, fields, accept);
  }

 private:
  AlarmsDialog& dialog_;
  Modality& modality_;
};

}  // namespace morv
