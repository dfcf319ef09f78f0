#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tornel {

class Scheme;

// One editing operation on a scheme that can be taken back: Apply, then
// Revert, leaves the scheme as it was, and Apply again redoes it, with the
// same block and line objects, so that edits further up an undo stack still
// find what they point at. Edits are applied in stack order only.
class SchemeEdit {
public:
  virtual ~SchemeEdit() = default;
  virtual void Apply(Scheme& scheme) = 0;
  virtual void Revert(Scheme& scheme) = 0;
  // What the editor's undo command shows, e.g. "Удалить блоки".
  virtual std::string Text() const = 0;
};

// Several edits as one: applied in order, reverted in reverse.
class CompositeEdit final : public SchemeEdit {
public:
  explicit CompositeEdit(std::string text) : text_(std::move(text)) {}
  // Adds an edit that has already been applied.
  void Add(std::unique_ptr<SchemeEdit> edit) { edits_.push_back(std::move(edit)); }
  bool Empty() const { return edits_.empty(); }

  void Apply(Scheme& scheme) override {
    for (auto& edit : edits_) edit->Apply(scheme);
  }
  void Revert(Scheme& scheme) override {
    for (auto it = edits_.rbegin(); it != edits_.rend(); ++it) (*it)->Revert(scheme);
  }
  std::string Text() const override { return text_; }

private:
  std::string text_;
  std::vector<std::unique_ptr<SchemeEdit>> edits_;
};

}  // namespace tornel
