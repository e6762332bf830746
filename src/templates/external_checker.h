#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "templates/external_voucher.h"

// Checking external vouchers and resolving their codes to the account set's ids. The code
// look-ups of kinds 1 to 11 are read once, when the checker is made; flexible codes are looked
// up part by part and remembered. Database errors propagate as host::DatabaseError.
namespace lumvoucher::templates {

// A line's codes as ids (0 for an empty code), ready for WriteForm.
struct ResolvedLine {
  long ids[kCodeKinds + 1] = {};
  long item_id = 0;             // the flexible goods item
  std::vector<long> field_ids;  // the flexible segments 01, 02, ... (0 = none)
  long template_id = 0;         // the voucher type's template
};

class ExternalChecker {
 public:
  ExternalChecker();

  // Checks one external voucher's lines (all with one key) and writes each line's error text
  // ("" when it has none); answers whether the whole voucher may be posted.
  bool Check(std::vector<ExternalLine>& lines);
  // The ids of a checked line without errors.
  ResolvedLine Resolve(const ExternalLine& line);
  // The id of a code of `kind`, 0 when unknown.
  long Find(int kind, const std::string& code) const;
  // The flexible id of a resolved line's goods item and first segment value: an existing
  // one, or a new one written to FlexibleCheck; " " when the line has none.
  std::string FlexibleId(const ResolvedLine& line);

 private:
  // Appends the errors of the line's flexible codes.
  void CheckFlexible(const std::string& codes, std::vector<std::string>& errors);
  long FlexiblePartId(int part, const std::string& code);

  std::unordered_map<std::string, long> codes_[kCodeKinds + 1];
  std::unordered_map<long, long> type_templates_;
  long default_type_ = 0;
  std::map<std::pair<int, std::string>, long> flexible_parts_;
  std::vector<std::string> segment_titles_;  // [0] 商品, [n] segment nn
};

}  // namespace lumvoucher::templates
