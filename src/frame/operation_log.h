#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumvoucher::frame {

// One row of the operation log (table log). The date is "yyyy-MM-dd", the times "hh:mm:ss";
// texts go in as given (quotes are doubled, never interpreted).
struct LogEntry {
  long operator_id = 0;
  std::string text;
  std::string date;
  std::string login_time;
  std::string logout_time;
  std::string machine;
  long organization_id = 0;
};

// Inserts the entry with a key from the sequence log_seq.
void WriteLog(const LogEntry& entry);
// An entry of the current operator and organisation, on this machine, at this moment (both
// times the same).
LogEntry CurrentLogEntry(std::string text);

// A date range condition of a list (ListCond, operator 4 = between), dates "yyyy-mm-dd".
void WriteDateCondition(long list_id, long view_field_id, std::string_view path,
                        std::string_view from_date, std::string_view to_date);
// The variant with the fixed path "日期".
void WriteDateCondition(long list_id, long view_field_id, std::string_view from_date,
                        std::string_view to_date);

// The trace log: a text file in the folder "log" below the component's folder, one file per
// day named "lumvoucher-yyyy-mm-dd.log" (local date), so that a long-running desktop's file
// stays small and old days can be removed by age. Each line is
//   "[yyyy-MM-dd hh:mm:ss]" + text + " 时间 " + database time (yyyy-mm-dd hh24:mi:ss:ff3)
// and is used to time long operations.
//
// The component's folder is the folder of the running executable unless a host (or a test)
// sets another one. A trace line that cannot be written, or a database time that cannot be
// read, never fails the operation being timed: the line is skipped or written without the time.
void SetComponentFolder(std::filesystem::path folder);
std::filesystem::path ComponentFolder();
// The file today's lines go to.
std::filesystem::path TraceLogFile();
void TraceLog(std::string_view text);

}  // namespace lumvoucher::frame
