#pragma once

namespace tornel {

// Unit step responses, s seconds after the step (0 before it).

// 1 - e^(-s/T).
double FirstOrderStep(double s, double timeConstant);

// The standard second-order response of damping zeta > 0 and natural
// frequency wn: oscillating below zeta = 1, aperiodic above, and continuous
// across 1 (no division by sqrt(1 - zeta^2) near it).
double SecondOrderStep(double s, double damping, double naturalFrequency);

}  // namespace tornel
