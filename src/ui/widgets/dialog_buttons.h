#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

// The button row of the program's dialogs: "Продолжить" accepts, "Отменить"
// rejects (so does Escape). Only a default OK button answers the Enter key.
struct DialogButtons {
  QHBoxLayout* Row = nullptr;
  QPushButton* Ok = nullptr;
  QPushButton* Cancel = nullptr;
};

DialogButtons MakeDialogButtons(QDialog* dialog, const char* okName, const char* cancelName,
                                bool okIsDefault = false);
