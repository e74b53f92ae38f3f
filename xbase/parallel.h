#pragma once
// Splitting bulk index work over the machine's cores: a build is bound by one
// core's memory traffic, not by the disk.

#include <cstddef>
#include <functional>

namespace xb {

// Parts worth splitting a job of `items` items into: two when there is a second
// core and at least minItems items, else one.
int partsFor(std::size_t items, std::size_t minItems);

// Runs work(0) .. work(parts - 1): part 0 on this thread, each other part on a
// thread of its own. Once all have ended, rethrows the exception of the lowest
// part that threw.
void runParts(int parts, const std::function<void(int part)>& work);

} // namespace xb
