#pragma once

#include <cstdint>

namespace tornel {

// A card's sample 0..maxdata as this program's signed ADC code: the card's
// full range spans -512..511, its midpoint is 0.
int16_t ComediSampleToCode(uint32_t sample, uint32_t maxdata);
// A DAC code 0..1023 as the card's 0..maxdata, rounded to nearest.
uint32_t ComediCodeToSample(int16_t code, uint32_t maxdata);

}  // namespace tornel
