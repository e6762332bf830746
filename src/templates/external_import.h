#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "templates/interface_standards.h"

// Importing an interface standard's CSV file into ExternalVoucher and posting it: the road of
// the command-line tool, and of the posting window's import (staging only).
//
// The file is read record by record. Consecutive records with one external key are one
// external voucher; each is handled as soon as its last line has been read, so memory stays
// bounded whatever the file's size. A voucher with an unreadable line, a line that fails the
// checks, or a refused save is refused as a whole and posts nothing; every problem is reported
// with the file's line number. A voucher already posted from an earlier import is skipped;
// one staged but not posted is replaced by the file's lines.
namespace lumvoucher::templates {

struct ImportIssue {
  std::string file;
  long line = 0;  // 0: the file as a whole
  std::string text;
};

struct ImportTotals {
  long records = 0;         // lines of data read (the column names not counted)
  long vouchers = 0;        // external vouchers read
  long posted = 0;          // saved as vouchers now (with check_only: would be posted)
  long refused = 0;         // vouchers refused, plus records that could not be read
  long skipped = 0;         // posted before
  bool file_error = false;  // nothing was read: unreadable file or missing column
  bool Failed() const { return refused > 0 || file_error; }
};

struct ImportOptions {
  bool check_only = false;  // check and report, write nothing
  bool post = true;         // false: stage the vouchers for the window without posting
  std::string date;         // the voucher date for every voucher; "" for the data's own
  std::function<void(const ImportIssue&)> issue;
  // Bytes read so far and the file's size, after each voucher.
  std::function<void(std::uint64_t, std::uint64_t)> progress;
};

ImportTotals ImportFile(const std::string& path, const CsvLayout& layout,
                        const ImportOptions& options);

}  // namespace lumvoucher::templates
