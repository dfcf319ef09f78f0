#include "core/scheme/scheme.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

namespace tornel {
namespace {

template <typename T>
std::size_t Find(const std::vector<std::unique_ptr<T>>& items, const T* item) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].get() == item) return i;
  }
  throw std::logic_error("scheme: not an element of this scheme");
}

}  // namespace

TBlock* Scheme::GraphBlock() const {
  for (const auto& block : blocks_) {
    if (block->Kind == kKindGraph) return block.get();
  }
  return nullptr;
}

bool Scheme::CanPlace(int kind) const { return kind != kKindGraph || GraphBlock() == nullptr; }

std::size_t Scheme::IndexOf(const TBlock* block) const { return Find(blocks_, block); }
std::size_t Scheme::IndexOf(const TConnectLine* line) const { return Find(lines_, line); }

void Scheme::InsertBlock(std::size_t index, std::unique_ptr<TBlock> block) {
  blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(std::min(index, blocks_.size())),
                 std::move(block));
}

std::unique_ptr<TBlock> Scheme::TakeBlock(TBlock* block) {
  const std::size_t i = IndexOf(block);
  for (const auto& line : lines_) {
    if (line->Source == block || line->Dest == block) {
      throw std::logic_error("scheme: a block is taken with its lines");
    }
  }
  std::unique_ptr<TBlock> taken = std::move(blocks_[i]);
  blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(i));
  return taken;
}

void Scheme::AttachSource(TConnectLine& line, int delta) {
  TBlock& source = *line.Source;
  int32_t& count = source.OutLineCount[line.SourceOutput];
  count += delta;
  source.OutConnected[line.SourceOutput] = count > 0;
}

void Scheme::InsertLine(std::size_t index, std::unique_ptr<TConnectLine> line) {
  TConnectLine& l = *line;
  if (l.Dest) {
    if (l.Dest->InLine[l.DestInput]) throw std::logic_error("scheme: input already connected");
    l.Dest->InLine[l.DestInput] = &l;
    l.Dest->InConnected[l.DestInput] = true;
  } else {
    if (dragLine_) throw std::logic_error("scheme: a second dragged line");
    dragLine_ = &l;
  }
  AttachSource(l, +1);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(std::min(index, lines_.size())),
                std::move(line));
}

std::unique_ptr<TConnectLine> Scheme::TakeLine(TConnectLine* line) {
  const std::size_t i = IndexOf(line);
  if (line->Dest) {
    line->Dest->InLine[line->DestInput] = nullptr;
    line->Dest->InConnected[line->DestInput] = false;
  }
  if (dragLine_ == line) dragLine_ = nullptr;
  AttachSource(*line, -1);
  std::unique_ptr<TConnectLine> taken = std::move(lines_[i]);
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
  return taken;
}

void Scheme::ConnectDragLine(TBlock* dest, int input) {
  if (!dragLine_ || dest->InLine[input]) throw std::logic_error("scheme: cannot complete the line");
  TConnectLine& line = *dragLine_;
  line.Dest = dest;
  line.DestInput = input;
  line.EndPt = dest->InputPoint(input);
  dest->InLine[input] = &line;
  dest->InConnected[input] = true;
  dragLine_ = nullptr;
}

void Scheme::DetachInput(TBlock* dest, int input) {
  TConnectLine* line = dest->InLine[input];
  if (!line || dragLine_) throw std::logic_error("scheme: cannot detach the line");
  line->EndPt = dest->InputPoint(input);
  line->Dest = nullptr;
  dest->InLine[input] = nullptr;
  dest->InConnected[input] = false;
  dragLine_ = line;
}

void Scheme::SelectInBand(PlotRect band) {
  if (band.Left > band.Right) std::swap(band.Left, band.Right);
  if (band.Top > band.Bottom) std::swap(band.Top, band.Bottom);
  for (const auto& block : blocks_) block->Selected = Intersects(block->Bounds(), band);
}

std::vector<TBlock*> Scheme::SelectedBlocks() const {
  std::vector<TBlock*> selected;
  for (const auto& block : blocks_) {
    if (block->Selected) selected.push_back(block.get());
  }
  return selected;
}

std::string Scheme::CheckInvariants() const {
  int dragged = 0;
  for (const auto& line : lines_) {
    const TConnectLine& l = *line;
    if (!l.Source) return "a line has no source";
    if (l.SourceOutput < 0 || l.SourceOutput >= l.Source->OutCount) return "source output";
    if (!l.Dest) {
      ++dragged;
      if (dragLine_ != &l) return "a line without destination is not the dragged line";
      continue;
    }
    if (l.DestInput < 0 || l.DestInput >= l.Dest->InCount) return "destination input";
    if (l.Dest->InLine[l.DestInput] != &l) return "InLine does not name its line";
  }
  if (dragged > 1 || (dragLine_ && dragged == 0)) return "dragged line";
  for (const auto& block : blocks_) {
    for (int i = 0; i < kMaxInputs; ++i) {
      const TConnectLine* in = block->InLine[i];
      if (block->InConnected[i] != (in != nullptr)) return "InConnected differs from InLine";
      if (in && (in->Dest != block.get() || in->DestInput != i)) return "InLine names another";
      if (in && i >= block->InCount) return "a line into a missing input";
    }
    for (int k = 0; k < kMaxOutputs; ++k) {
      const auto count = std::count_if(lines_.begin(), lines_.end(), [&](const auto& l) {
        return l->Source == block.get() && l->SourceOutput == k;
      });
      if (block->OutLineCount[k] != count) return "OutLineCount";
      if (block->OutConnected[k] != (count > 0)) return "OutConnected";
    }
  }
  return {};
}

}  // namespace tornel
