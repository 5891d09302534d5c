#pragma once

#include <cstdint>

namespace display {

// Where the bouncing ball is: the player stamps a hop when a syllable falls due, the animation
// step draws the ball and remembers where, so that the next step can erase it.
struct BallState {
    std::int32_t HopStart = 0; // clock value at which the ball left the previous syllable; 0 none
    std::int16_t Radius = 0;
    std::int16_t HopX = 0;  // x of the middle of the syllable the ball leaves
    std::int16_t BallX = 0; // centre as last drawn
    std::int16_t BallY = 0;
    friend bool operator==(const BallState&, const BallState&) = default;
};

} // namespace display
