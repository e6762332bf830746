#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numbering/number_ledger.h"
#include "numbering/numbering_basis.h"

namespace lumvoucher::numbering {

// The volumes of a scope, walked with rising numbers: the label of a number is that of the
// first volume (by start) whose end is not below it, "0000" beyond the last one. A number below
// the first volume, or in a gap between two, takes the next volume's label, as the system does.
class VolumeWalk {
 public:
  explicit VolumeWalk(const NumberScope& scope);
  // `number` must not be lower than the one asked before.
  const std::string& LabelFor(long number);

 private:
  struct Volume {
    std::string label;
    long end = 0;
  };
  std::vector<Volume> volumes_;
  std::size_t at_ = 0;
};

// Width of strOldReceiptNo, counted as the database counts text.
inline constexpr int kFormerNumbersWidth = 255;

// `former` with `number` (zero-padded to `digits`) appended, blank-separated, trimmed and cut
// to kFormerNumbersWidth.
std::string AppendFormerNumber(std::string_view former, long number, int digits);

// Moves the vouchers of one scope to new numbers: each move writes the number, the volume, the
// former number of a printed voucher and, while stamping is on, the uniqueness stamp, for the
// candidate and its partner; a former number has `former_digits` digits. Runs inside the
// caller's transaction; database errors propagate.
class MoveWriter {
 public:
  MoveWriter(const NumberingBasis& basis, const NumberScope& scope, int former_digits);

  // Gives `c` the number `number`. `negative` writes -number, to be flipped once every voucher
  // of the pass has moved (numbers may be taken by vouchers that have not moved yet).
  void Move(const NumberCandidate& c, long number, bool negative);

  // The numbers that changed, in the order moved.
  const std::vector<NumberMove>& Moves() const { return moves_; }
  int Written() const { return written_; }

 private:
  void Stamp(const std::string& table, long voucher_id, const std::string& date, long number);

  const NumberingBasis& basis_;
  NumberScope scope_;
  int former_digits_;
  VolumeWalk volumes_;
  bool stamping_ = false;
  std::string secret_;
  std::vector<NumberMove> moves_;
  int written_ = 0;
};

}  // namespace lumvoucher::numbering
