#include "numbering/voucher_moves.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "frame/uniqueness_stamp.h"
#include "host/data_access.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::numbering {

using frame::SqlNumber;
using frame::SqlText;

VolumeWalk::VolumeWalk(const NumberScope& s) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "SELECT strVolume,intNoStart,intNoEnd FROM VoucherVolume" + std::string(" WHERE intYear=") +
      SqlNumber(s.year) + " AND bytPeriod=" + SqlNumber(s.period) +
      " AND lngVoucherTypeID=" + SqlNumber(s.voucher_type_id) +
      " AND lngOrganizationID=" + SqlNumber(s.organization_id) + " ORDER BY intNoStart");
  for (; !rs.Eof(); rs.MoveNext()) {
    volumes_.push_back({rs["strVolume"].AsText(), static_cast<long>(rs["intNoEnd"].AsLong())});
  }
}

const std::string& VolumeWalk::LabelFor(long number) {
  static const std::string none = texts::kNoVolume;
  while (at_ < volumes_.size() && volumes_[at_].end < number) ++at_;
  return at_ < volumes_.size() ? volumes_[at_].label : none;
}

std::string AppendFormerNumber(std::string_view former, long number, int digits) {
  std::string out = frame::StringOut(former, " ");
  if (!out.empty()) out += ' ';
  out += frame::ZeroPad(number, digits);
  return frame::SubStr(out, 1, kFormerNumbersWidth);
}

MoveWriter::MoveWriter(const NumberingBasis& basis, const NumberScope& scope, int former_digits)
    : basis_(basis),
      scope_(scope),
      former_digits_(former_digits),
      volumes_(scope),
      stamping_(frame::Context().StampingEnabled()) {
  if (stamping_) secret_ = frame::StampSecret();
}

void MoveWriter::Move(const NumberCandidate& c, long number, bool negative) {
  const std::string& volume = volumes_.LabelFor(number);
  const std::string written = SqlNumber(negative ? -number : number);
  std::string former;
  // A printed voucher keeps the number on its paper; one that keeps its number has none to add.
  if (c.printed && c.number != number) {
    former = ",strOldReceiptNo=" + SqlText(AppendFormerNumber(c.former, c.number, former_digits_));
  }
  frame::Data().Execute("Update " + basis_.TableOf(c) + " Set intVoucherNo=" + written +
                        ",strVolume=" + SqlText(volume) + former +
                        " WHERE lngVoucherID=" + SqlNumber(c.voucher_id));
  if (stamping_) Stamp(basis_.TableOf(c), c.voucher_id, c.date, number);
  if (const std::optional<VoucherRef> partner = basis_.Partner(c)) {
    frame::Data().Execute("Update " + partner->table + " Set intVoucherNo=" + written +
                          ",strVolume=" + SqlText(volume) +
                          " WHERE lngVoucherID=" + SqlNumber(partner->voucher_id));
    if (stamping_) Stamp(partner->table, partner->voucher_id, partner->date, number);
  }
  ++written_;
  if (c.number != number) moves_.push_back({c.number, number});
}

void MoveWriter::Stamp(const std::string& table, long voucher_id, const std::string& date,
                       long number) {
  const std::string stamp = frame::UQStamp(
      secret_, frame::UQStampKey(scope_.organization_id, date, scope_.voucher_type_id, number));
  frame::Data().Execute("Update " + table + " Set strUQStamp=" + SqlText(stamp) +
                        " Where lngVoucherID=" + SqlNumber(voucher_id));
}

}  // namespace lumvoucher::numbering
