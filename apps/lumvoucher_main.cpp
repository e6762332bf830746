// The desktop host's entry point. Until the desktop windows arrive it opens (or creates) the
// account set, logs in, initialises the component and prints what the account set holds.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "host/database_error.h"

namespace {

using namespace lumvoucher;

// Prints each message and answers its first button; nothing here asks a question yet.
class ConsoleMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int flags, std::string_view title) override {
    std::cout << "[" << title << "] " << text << "\n";
    int buttons = flags & host::mb::kButtonMask;
    return buttons == host::mb::kYesNo || buttons == host::mb::kYesNoCancel ? host::mb::kYes
                                                                           : host::mb::kOk;
  }
};

class ConsoleModalRunner : public host::ModalRunner {
 public:
  int RunModal(host::ModalWindow&) override { return 0; }
};

class ConsoleMainWindow : public host::HostMainWindow {
 public:
  void ChildActive() override {}
  void ShowChild(host::ChildWindow&) override {}
  std::vector<host::ChildWindow*> OpenChildren() const override { return {}; }
};

std::string DefaultDatabasePath() {
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.local/share/lumvoucher/lumvoucher.db";
}

int Usage() {
  std::cerr << "usage: lumvoucher [--db FILE] [--org ID] [--operator ID] [--date yyyy-mm-dd]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = DefaultDatabasePath();
  embedded::LoginRequest login{1, 1, "2026-02-15"};
  std::vector<std::string_view> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) return {};
      return std::string(args[++i]);
    };
    if (args[i] == "--db") {
      path = value();
    } else if (args[i] == "--org") {
      login.organization_id = std::atol(value().c_str());
    } else if (args[i] == "--operator") {
      login.operator_id = std::atol(value().c_str());
    } else if (args[i] == "--date") {
      login.login_date = value();
    } else {
      return Usage();
    }
  }
  if (path.empty()) return Usage();

  try {
    std::filesystem::path file(path);
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    ConsoleMessageBox messages;
    ConsoleModalRunner modal;
    ConsoleMainWindow main_window;
    embedded::EmbeddedHost host(path, login, {&messages, &modal, &main_window});
    frame::InterFace inter_face;
    host.InitInterFace(inter_face);

    const auto& context = host.Login();
    std::cout << "lumvoucher: " << path << "\n"
              << "机构 " << context.CurrentOrganization().code << " "
              << context.CurrentOrganization().name << "  操作员 "
              << context.CurrentOperator().name << "  登录日期 " << context.LoginDate() << " ("
              << context.LoginYear() << "年" << context.LoginPeriod() << "期)\n";
    for (const std::string& line : embedded::AccountSetSummary(host.Database())) {
      std::cout << "  " << line << "\n";
    }
  } catch (const std::exception& error) {
    std::cerr << "lumvoucher: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
