#pragma once

#include <cstdint>

namespace tornel {

// The time of point `index` on a grid that cuts `span` into `divisions`
// equal parts: the double nearest to index * span / divisions, with span
// taken as the shortest decimal that reads back to it. Printed in the
// shortest form, grid times then read as the user typed them (0.194), where
// a sum of steps or a product of rounded doubles shows 0.19400000000000014.
double GridTime(int64_t index, double span, int64_t divisions = 1);

}  // namespace tornel
