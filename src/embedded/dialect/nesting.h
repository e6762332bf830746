#pragma once

#include <cstddef>

namespace lumvoucher::dialect {

// How deep a statement may nest: the parser's recursion (parentheses, sub-queries, NOT, signs,
// calls, CASE) and the height of the tree it builds. Far beyond the component's statements, and
// shallow enough that every walk over a tree stays well inside a thread's stack.
inline constexpr int kMaxNesting = 200;
// Walks over a parsed tree (the passes, the emitter) refuse beyond this: a pass may regroup a
// tree a little taller than the parser built it, never twice as tall.
inline constexpr int kMaxWalkDepth = 2 * kMaxNesting;

// "nesting deeper than 200 levels" at `offset`.
[[noreturn]] void TooDeep(std::size_t offset);

// For a recursive walk that passes its depth down: throws at `offset` past kMaxWalkDepth.
inline void CheckWalkDepth(int depth, std::size_t offset) {
  if (depth > kMaxWalkDepth) TooDeep(offset);
}

// One level of a recursion that keeps its depth in a counter, for as long as it lives.
class DepthGuard {
 public:
  DepthGuard(int& depth, int limit, std::size_t offset) : depth_(depth) {
    if (++depth_ > limit) {
      --depth_;
      TooDeep(offset);
    }
  }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace lumvoucher::dialect
