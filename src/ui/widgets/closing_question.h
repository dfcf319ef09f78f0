#pragma once

// An MDI child window that may ask something before it closes (an unsaved
// record: "Сохранить данные в файл?"). On exit the main window asks every
// such child first, each brought to the front, and closes nothing when one
// answer is Cancel.
class ClosingQuestion {
public:
  virtual ~ClosingQuestion() = default;
  // Asks now; false on Cancel. After true, the next close asks nothing.
  virtual bool AskBeforeClosing() = 0;
  // A later close asks again (the exit was cancelled by another window).
  virtual void ForgetClosingAnswer() = 0;
};
