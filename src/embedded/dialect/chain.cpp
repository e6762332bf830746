#include "embedded/dialect/chain.h"

#include <algorithm>
#include <utility>

#include "embedded/dialect/nesting.h"

namespace lumvoucher::dialect {

namespace {

// Up to this many operands a chain keeps the shape it was written in: the statements the
// component writes translate as they always did, sums add up in their written order.
constexpr std::size_t kShortChain = 32;

class Builder {
 public:
  Builder(std::vector<ExprPtr>& operands, const std::vector<ChainOp>& ops, int max_height)
      : operands_(operands), ops_(ops), max_height_(max_height) {}

  ExprPtr Node(std::string op, std::size_t offset, ExprPtr left, ExprPtr right) const {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kBinary;
    e->op = std::move(op);
    e->offset = offset;
    e->height = std::max(left->height, right->height) + 1;
    if (e->height > max_height_) TooDeep(offset);
    e->args.push_back(std::move(left));
    e->args.push_back(std::move(right));
    return e;
  }

  ExprPtr LeftDeep() const {
    ExprPtr result = std::move(operands_[0]);
    for (std::size_t i = 1; i < operands_.size(); ++i) {
      result = Node(ops_[i - 1].op, ops_[i - 1].offset, std::move(result), std::move(operands_[i]));
    }
    return result;
  }

  // Operands [first, last] with the operator before `first` taken as +. Under a subtraction the
  // signs inside are flipped: a - b + c - d is (a - b) + (c - d), a - b - c - d is
  // (a - b) - (c + d). Recursion depth is the logarithm of the length.
  ExprPtr Balanced(std::size_t first, std::size_t last, bool flipped) const {
    if (first == last) return std::move(operands_[first]);
    const std::size_t split = first + (last - first + 2) / 2;
    const ChainOp& at = ops_[split - 1];
    std::string op = at.op;
    if (flipped && (op == "+" || op == "-")) op = op == "+" ? "-" : "+";
    ExprPtr left = Balanced(first, split - 1, flipped);
    ExprPtr right = Balanced(split, last, flipped != (op == "-"));
    return Node(std::move(op), at.offset, std::move(left), std::move(right));
  }

 private:
  std::vector<ExprPtr>& operands_;
  const std::vector<ChainOp>& ops_;
  int max_height_;
};

bool Regroupable(const std::vector<ChainOp>& ops) {
  const bool additive = std::all_of(ops.begin(), ops.end(),
                                    [](const ChainOp& o) { return o.op == "+" || o.op == "-"; });
  if (additive) return true;
  return ops.front().op != "/" && std::all_of(ops.begin(), ops.end(), [&](const ChainOp& o) {
           return o.op == ops.front().op;
         });
}

}  // namespace

ExprPtr MakeChain(std::vector<ExprPtr> operands, const std::vector<ChainOp>& ops, int max_height) {
  Builder builder(operands, ops, max_height);
  if (operands.size() <= kShortChain || !Regroupable(ops)) return builder.LeftDeep();
  return builder.Balanced(0, operands.size() - 1, false);
}

}  // namespace lumvoucher::dialect
