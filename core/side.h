#pragma once

// The two sides of a pair: index 0 is the source (left pane), 1 the destination (right pane).
namespace core {

constexpr int kSourceSide = 0;
constexpr int kTargetSide = 1;

constexpr int otherSide(int side) { return 1 - side; }

} // namespace core
