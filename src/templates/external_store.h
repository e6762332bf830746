#pragma once

#include <string>
#include <vector>

#include "templates/external_voucher.h"

// The staging table ExternalVoucher of the login organisation. Database errors propagate as
// host::DatabaseError; the callers hold the transaction.
namespace lumvoucher::templates {

// The column of a code kind ("strAccountCode", ...).
const char* CodeColumn(int kind);

// What ExternalVoucher holds of the external voucher `key` of `standard`.
enum class Staged { kNothing, kUnposted, kPosted };
Staged StagedState(const std::string& standard, const std::string& key);
// Stages `lines` (their ids are set), replacing the unposted lines of their external voucher
// when `replace` (the voucher was staged before).
void Stage(std::vector<ExternalLine>& lines, bool replace);
// Every staged line of `standard`, in the order they were staged.
std::vector<ExternalLine> ReadStaged(const std::string& standard);
// The staged lines of one external voucher.
std::vector<ExternalLine> ReadVoucher(const std::string& standard, const std::string& key);
// Marks the external voucher's lines posted as `voucher_no` (voucher `voucher_id`).
void MarkPosted(const std::string& standard, const std::string& key, long voucher_id,
                const std::string& voucher_no);
// Keeps each line's error text with it.
void SaveErrors(const std::vector<ExternalLine>& lines);
// A code of a staged line corrected by hand; the line is then shown "已纠正".
void RepairCode(long line_id, int kind, const std::string& code);

}  // namespace lumvoucher::templates
