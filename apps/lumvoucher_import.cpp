// lumvoucher-import: posts an interface standard's CSV file of external vouchers without a
// window, the road of the external posting window.
//   lumvoucher-import --db FILE --org ID --operator ID --standard NAME FILE.csv
//                     [--check-only] [--date yyyy-mm-dd] [--login-date yyyy-mm-dd] [--ini FILE]
// Every problem is printed as "file:line: text"; then a summary. The status is 0 when every
// external voucher was posted or had been posted before, 1 when anything was refused, 2 for a
// wrong command line or an account set that cannot be opened. Messages of the voucher save go
// to the error stream; questions are answered No, so nothing is decided for the user.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>

#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "frame/sql_text.h"
#include "host/calendar_date.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "host/modal_runner.h"
#include "templates/external_import.h"
#include "templates/interface_standards.h"
#include "templates/templates_texts.h"

namespace {

namespace t = lumvoucher::templates;
namespace mb = lumvoucher::host::mb;

class ConsoleMessageBox : public lumvoucher::host::MessageBox {
 public:
  int Show(std::string_view text, int flags, std::string_view title) override {
    std::cerr << "[" << title << "] " << text << '\n';
    switch (flags & mb::kButtonMask) {
      case mb::kYesNo:
      case mb::kYesNoCancel:
        return mb::kNo;
      case mb::kOkCancel:
        return mb::kCancel;
      default:
        return mb::kOk;
    }
  }
};

class NoModalRunner : public lumvoucher::host::ModalRunner {
 public:
  int RunModal(lumvoucher::host::ModalWindow&) override { return 0; }
};

int Usage() {
  std::cerr << "usage: lumvoucher-import --db FILE --org ID --operator ID --standard NAME "
               "FILE.csv [--check-only] [--date yyyy-mm-dd] [--login-date yyyy-mm-dd] "
               "[--ini FILE]\n";
  return 2;
}

std::string Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::string db;
  std::string standard;
  std::string file;
  std::string ini;
  std::string date;
  std::string login_date = Today();
  std::optional<std::int64_t> org;
  std::optional<std::int64_t> op;
  bool check_only = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--db" && has_value) {
      db = argv[++i];
    } else if (arg == "--org" && has_value) {
      org = lumvoucher::host::ParseWhole(argv[++i], 1, 2147483647);
      if (!org) return Usage();
    } else if (arg == "--operator" && has_value) {
      op = lumvoucher::host::ParseWhole(argv[++i], 1, 2147483647);
      if (!op) return Usage();
    } else if (arg == "--standard" && has_value) {
      standard = argv[++i];
    } else if (arg == "--ini" && has_value) {
      ini = argv[++i];
    } else if ((arg == "--date" || arg == "--login-date") && has_value) {
      const std::string value = lumvoucher::host::CalendarDate(argv[++i]);
      if (value.empty()) return Usage();
      (arg == "--date" ? date : login_date) = value;
    } else if (arg == "--check-only") {
      check_only = true;
    } else if (!arg.empty() && arg[0] != '-' && file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (db.empty() || !org || !op || standard.empty() || file.empty()) return Usage();

  ConsoleMessageBox messages;
  NoModalRunner modal;
  try {
    lumvoucher::embedded::EmbeddedHost host(
        db, {static_cast<long>(*org), static_cast<long>(*op), login_date},
        {&messages, &modal, nullptr}, false);
    lumvoucher::frame::InterFace component;
    host.InitInterFace(component);
    const std::string ini_path = t::IniPath(ini);
    const auto profile = host.BaseClass().Profiles().Read(ini_path);
    std::optional<t::CsvLayout> layout = t::LayoutOf(profile, standard);
    if (!layout) {
      std::cerr << lumvoucher::frame::FormatText(t::texts::kNoStandard, {standard}) << '\n';
      return 2;
    }
    t::ImportOptions options;
    options.check_only = check_only;
    options.date = date;
    options.issue = [](const t::ImportIssue& issue) {
      std::cout << issue.file << ':' << issue.line << ": " << issue.text << '\n';
    };
    const bool terminal = isatty(STDERR_FILENO) != 0;
    auto last = std::chrono::steady_clock::now();
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
      const auto now = std::chrono::steady_clock::now();
      if (!terminal || total == 0 ||
          (now - last < std::chrono::milliseconds(200) && done < total)) {
        return;
      }
      last = now;
      std::fprintf(stderr, "\r%3d%%", static_cast<int>(done * 100 / total));
      if (done >= total) std::fputc('\n', stderr);
    };
    const t::ImportTotals totals = t::ImportFile(file, *layout, options);
    std::cout << "读取 " << totals.vouchers << " 张外部凭证（" << totals.records << " 行），"
              << (check_only ? "可记账 " : "记账 ") << totals.posted << " 张，拒绝 "
              << totals.refused << "，已记账跳过 " << totals.skipped << " 张\n";
    return totals.Failed() ? 1 : 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 2;
  }
}
