#include "core/scheme/line_edit.h"

#include "core/scheme/scheme.h"

namespace tornel {

std::unique_ptr<LineEdit> LineEdit::Start(const Scheme& scheme, TBlock* source, int output) {
  if (scheme.DragLine() || output < 0 || output >= source->OutCount) return nullptr;
  auto line = std::make_unique<TConnectLine>();
  line->Source = source;
  line->SourceOutput = output;
  line->EndPt = source->OutputPoint(output);
  std::unique_ptr<LineEdit> edit(new LineEdit(Step::Start, line.get(), nullptr, output));
  edit->owned_ = std::move(line);
  edit->index_ = scheme.Lines().size();
  return edit;
}

std::unique_ptr<LineEdit> LineEdit::Complete(const Scheme& scheme, TBlock* dest, int input) {
  TConnectLine* line = scheme.DragLine();
  if (!line || input < 0 || input >= dest->InCount || dest->InLine[input]) return nullptr;
  return std::unique_ptr<LineEdit>(new LineEdit(Step::Complete, line, dest, input));
}

std::unique_ptr<LineEdit> LineEdit::Drop(const Scheme& scheme) {
  TConnectLine* line = scheme.DragLine();
  if (!line) return nullptr;
  std::unique_ptr<LineEdit> edit(new LineEdit(Step::Drop, line, nullptr, 0));
  edit->index_ = scheme.IndexOf(line);
  return edit;
}

std::unique_ptr<LineEdit> LineEdit::Detach(const Scheme& scheme, TBlock* dest, int input) {
  if (scheme.DragLine() || input < 0 || input >= dest->InCount || !dest->InLine[input]) {
    return nullptr;
  }
  return std::unique_ptr<LineEdit>(new LineEdit(Step::Detach, dest->InLine[input], dest, input));
}

void LineEdit::SetPresent(Scheme& scheme, bool present) {
  if (present) {
    scheme.InsertLine(index_, std::move(owned_));
  } else {
    index_ = scheme.IndexOf(line_);
    owned_ = scheme.TakeLine(line_);
  }
}

void LineEdit::Apply(Scheme& scheme) {
  switch (step_) {
    case Step::Start:
      SetPresent(scheme, true);
      break;
    case Step::Complete:
      scheme.ConnectDragLine(block_, port_);
      break;
    case Step::Drop:
      SetPresent(scheme, false);
      break;
    case Step::Detach:
      scheme.DetachInput(block_, port_);
      break;
  }
}

void LineEdit::Revert(Scheme& scheme) {
  switch (step_) {
    case Step::Start:
      SetPresent(scheme, false);
      break;
    case Step::Complete:
      scheme.DetachInput(block_, port_);
      break;
    case Step::Drop:
      SetPresent(scheme, true);
      break;
    case Step::Detach:
      scheme.ConnectDragLine(block_, port_);
      break;
  }
}

std::string LineEdit::Text() const {
  switch (step_) {
    case Step::Start:
      return "Начать линию";
    case Step::Complete:
      return "Соединить блоки";
    case Step::Drop:
      return "Убрать линию";
    case Step::Detach:
      return "Отсоединить линию";
  }
  return {};
}

}  // namespace tornel
