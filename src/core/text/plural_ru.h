#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tornel {

// The Russian form of a noun after the count n: `one` after 1, 21, 101…
// ("точка"), `few` after 2–4, 22–24… ("точки"), `many` after 0, 5–20,
// 25–30, 111… ("точек"). A negative count takes the form of its magnitude.
std::string_view PluralRu(int64_t n, std::string_view one, std::string_view few,
                          std::string_view many);

// The count and its noun: "38424 точки".
std::string CountRu(int64_t n, std::string_view one, std::string_view few, std::string_view many);

// A count of points (scans, samples of a static run): "38424 точки".
std::string PointsRu(int64_t n);

}  // namespace tornel
