#include "frame/operation_log.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <system_error>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/database_error.h"

namespace lumvoucher::frame {

namespace {

constexpr const char* kDateConditionPath = "日期";
constexpr const char* kLogFolder = "log";

// A value for a placeholder the pattern already wraps in quotes: only the quotes inside it
// are doubled.
std::string QuotedInner(std::string_view text) {
  const std::string quoted = SqlText(text);
  return quoted.substr(1, quoted.size() - 2);
}

struct FolderSetting {
  std::mutex mutex;
  std::filesystem::path folder;
};

FolderSetting& Folder() {
  static FolderSetting setting;
  return setting;
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return exe.parent_path();
}

std::string LocalTime(const char* format) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[32];
  const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, length);
}

std::string DatabaseTime() {
  try {
    host::Recordset rs = Data().OpenRecordset(
        "select to_char(systimestamp,'yyyy-mm-dd hh24:mi:ss:ff3') as strTime from dual");
    return rs.Empty() ? std::string() : rs["strTime"].AsText();
  } catch (const host::DatabaseError&) {
    return std::string();
  }
}

}  // namespace

void WriteLog(const LogEntry& entry) {
  Data().Execute(FormatText(
      "Insert Into "
      "log(lnglogid,lngoperatorid,strlog,strlogdate,strlogintime,strlogouttime,strmachinename,"
      "lngOrganizationID) values(log_seq.nextval,{0},'{1}','{2}','{3}','{4}','{5}',{6})",
      {SqlNumber(entry.operator_id), QuotedInner(entry.text), QuotedInner(entry.date),
       QuotedInner(entry.login_time), QuotedInner(entry.logout_time), QuotedInner(entry.machine),
       SqlNumber(entry.organization_id)}));
}

LogEntry CurrentLogEntry(std::string text) {
  std::string machine = "localhost";
  for (const char* name : {"HOSTNAME", "COMPUTERNAME"}) {
    if (const char* value = std::getenv(name)) {
      machine = value;
      break;
    }
  }
  const std::string time = LocalTime("%H:%M:%S");
  return {OperatorId(), std::move(text),    LocalTime("%Y-%m-%d"), time,
          time,         std::move(machine), OrganizationId()};
}

void WriteDateCondition(long list_id, long view_field_id, std::string_view path,
                        std::string_view from_date, std::string_view to_date) {
  Data().Execute(
      "INSERT INTO ListCond (lngListID,lngViewFieldID,strPath,strDateOP,dtmDate1,dtmDate2) "
      "VALUES(" +
      SqlNumber(list_id) + "," + SqlNumber(view_field_id) + "," + SqlText(path) + ",4, " +
      SqlToDate(from_date) + "," + SqlToDate(to_date) + ")");
}

void WriteDateCondition(long list_id, long view_field_id, std::string_view from_date,
                        std::string_view to_date) {
  WriteDateCondition(list_id, view_field_id, kDateConditionPath, from_date, to_date);
}

void SetComponentFolder(std::filesystem::path folder) {
  std::lock_guard lock(Folder().mutex);
  Folder().folder = std::move(folder);
}

std::filesystem::path ComponentFolder() {
  std::lock_guard lock(Folder().mutex);
  if (Folder().folder.empty()) Folder().folder = ExecutableFolder();
  return Folder().folder;
}

std::filesystem::path TraceLogFile() {
  return ComponentFolder() / kLogFolder / ("lumvoucher-" + LocalTime("%Y-%m-%d") + ".log");
}

void TraceLog(std::string_view text) {
  const std::string line =
      "[" + LocalTime("%Y-%m-%d %H:%M:%S") + "]" + std::string(text) + " 时间 " + DatabaseTime();
  const std::filesystem::path file = TraceLogFile();
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return;
  std::ofstream out(file, std::ios::app | std::ios::binary);
  if (out) out << line << '\n';
}

}  // namespace lumvoucher::frame
