#include "core/plot/label_fit.h"

namespace tornel {
namespace {

bool Clear(const LabelSpan& a, const LabelSpan& b, int gap) {
  return a.hi + gap <= b.lo || b.hi + gap <= a.lo;
}

}  // namespace

std::vector<bool> LabelsThatFit(std::span<const LabelSpan> labels, std::optional<LabelSpan> title,
                                int gap) {
  std::vector<bool> shown(labels.size(), false);
  std::vector<LabelSpan> taken;
  if (title) taken.push_back(*title);
  auto take = [&](std::size_t i) {
    for (const LabelSpan& t : taken) {
      if (!Clear(labels[i], t, gap)) return;
    }
    shown[i] = true;
    taken.push_back(labels[i]);
  };
  if (labels.empty()) return shown;
  take(0);
  if (labels.size() > 1) take(labels.size() - 1);
  for (std::size_t i = 1; i + 1 < labels.size(); ++i) take(i);
  return shown;
}

}  // namespace tornel
