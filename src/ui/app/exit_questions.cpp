#include "ui/app/exit_questions.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "ui/widgets/closing_question.h"

bool AskEveryClosingQuestion(QMdiArea& area) {
  QList<ClosingQuestion*> asked;
  QList<QMdiSubWindow*> windows = area.subWindowList(QMdiArea::StackingOrder);
  // From the front window back, as the user sees them.
  std::reverse(windows.begin(), windows.end());
  for (QMdiSubWindow* window : windows) {
    auto* question = dynamic_cast<ClosingQuestion*>(window->widget());
    if (question == nullptr) continue;
    area.setActiveSubWindow(window);
    if (!question->AskBeforeClosing()) {
      for (ClosingQuestion* earlier : asked) earlier->ForgetClosingAnswer();
      return false;
    }
    asked.append(question);
  }
  return true;
}
