#pragma once

class QMdiArea;

// Before the program closes: every child that has a question before closing
// is brought to the front and asked, so the user sees which record is meant.
// False when one answer was Cancel; then the children already asked forget
// their answers and nothing is closed.
bool AskEveryClosingQuestion(QMdiArea& area);
