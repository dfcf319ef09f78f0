#include "ui/scheme/scheme_undo_command.h"

#include <QString>

SchemeUndoCommand::SchemeUndoCommand(tornel::Scheme& scheme,
                                     std::unique_ptr<tornel::SchemeEdit> applied,
                                     std::function<void()> changed)
    : scheme_(scheme), edit_(std::move(applied)), changed_(std::move(changed)) {
  setText(QString::fromStdString(edit_->Text()));
}

void SchemeUndoCommand::undo() {
  edit_->Revert(scheme_);
  changed_();
}

void SchemeUndoCommand::redo() {
  if (applied_) {
    applied_ = false;
    return;
  }
  edit_->Apply(scheme_);
  changed_();
}
