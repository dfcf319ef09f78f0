#pragma once

#include <QUndoCommand>
#include <functional>
#include <memory>

#include "core/scheme/scheme_edit.h"

namespace tornel {
class Scheme;
}

// One core edit on the window's undo stack. The edit comes applied (the
// mouse or a dialog made it), so the stack's first redo does nothing.
class SchemeUndoCommand : public QUndoCommand {
public:
  SchemeUndoCommand(tornel::Scheme& scheme, std::unique_ptr<tornel::SchemeEdit> applied,
                    std::function<void()> changed);

  void undo() override;
  void redo() override;

private:
  tornel::Scheme& scheme_;
  std::unique_ptr<tornel::SchemeEdit> edit_;
  std::function<void()> changed_;
  bool applied_ = true;
};
