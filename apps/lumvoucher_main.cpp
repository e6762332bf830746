// The desktop host: opens (or creates) the account set, asks who logs in unless the command
// line says, initialises the component with the Qt host services and shows the main window.
// `--summary` prints what the account set holds instead (no display needed); `--screenshot`
// renders one window offscreen and exits.
#include <QApplication>
#include <QDialog>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "frame/window_registry.h"
#include "host/calendar_date.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "server/server_host.h"
#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/login_dialog.h"
#include "ui/qt_message_box.h"
#include "ui/voucher_printer.h"

namespace {

using namespace lumvoucher;

// Prints each message and answers its first button; the summary asks nothing.
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

struct Options {
  std::string path;
  bool path_given = false;
  std::optional<std::string> conninfo;  // --pg: the account set is on a PostgreSQL server
  std::optional<long> organization_id;
  std::optional<long> operator_id;
  std::optional<std::string> login_date;
  bool summary = false;
  bool help = false;
  std::string screenshot;
  std::string show = "main";
  std::string pdf;
  long voucher_id = 1;
};

const embedded::LoginRequest kDefaultLogin{1, 1, "2026-02-15"};

std::string DefaultDatabasePath() {
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.local/share/lumvoucher/lumvoucher.db";
}

constexpr const char* kUsage =
    "usage: lumvoucher [--db FILE | --pg CONNINFO] [--org ID] [--operator ID] [--date yyyy-mm-dd]\n"
    "                  [--summary] [--screenshot FILE.png [--show WINDOW]]\n"
    "                  [--pdf FILE.pdf [--voucher ID]] [--help]\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

int Help() {
  std::cout << kUsage << "\n"
            << "  --db FILE           the account-set file (default " << DefaultDatabasePath()
            << ");\n"
               "                      created with the demo account set when it holds none\n"
               "  --pg CONNINFO       the account set on a PostgreSQL database instead (libpq\n"
               "                      connection string; PG* variables fill what it leaves out);\n"
               "                      an empty database gets the schema and the demo account set\n"
               "  --org ID            organisation to log in to\n"
               "  --operator ID       operator who logs in\n"
               "  --date yyyy-mm-dd   login date\n"
               "                      (with all three the login dialog is skipped)\n"
               "  --summary           print what the account set holds and exit\n"
               "  --screenshot FILE   render one window offscreen into a PNG file and exit\n"
               "  --show WINDOW       the window to render:";
  for (const std::string& name : ui::ScreenNames()) std::cout << " " << name;
  std::cout
      << "\n  --pdf FILE          print a voucher into a PDF file (as the print preview shows\n"
         "                      it) and exit\n"
         "  --voucher ID        the voucher to print (default 1)\n"
         "  --help              print this text and exit\n";
  return 0;
}

std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  options.path = DefaultDatabasePath();
  std::vector<std::string_view> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return std::string(args[++i]);
    };
    const std::string_view flag = args[i];
    if (flag == "--help" || flag == "-h") {
      options.help = true;
      continue;
    }
    if (flag == "--summary") {
      options.summary = true;
      continue;
    }
    const std::optional<std::string> text = value();
    if (flag == "--pg" && text) {
      // An empty string is a valid connection string: everything from the PG* variables.
      options.conninfo = *text;
      continue;
    }
    if (!text || text->empty()) return std::nullopt;
    if (flag == "--db") {
      options.path = *text;
      options.path_given = true;
    } else if (flag == "--org" || flag == "--operator") {
      std::optional<std::int64_t> id = host::ParseWhole(*text, 1, INT32_MAX);
      if (!id) return std::nullopt;
      (flag == "--org" ? options.organization_id : options.operator_id) = static_cast<long>(*id);
    } else if (flag == "--date") {
      options.login_date = host::CalendarDate(*text);
      if (options.login_date->empty()) return std::nullopt;
    } else if (flag == "--screenshot") {
      options.screenshot = *text;
    } else if (flag == "--show") {
      options.show = *text;
    } else if (flag == "--pdf") {
      options.pdf = *text;
    } else if (flag == "--voucher") {
      options.voucher_id = std::atol(text->c_str());
    } else {
      return std::nullopt;
    }
  }
  if (options.conninfo && options.path_given) return std::nullopt;
  return options;
}

embedded::LoginRequest Proposal(const Options& options) {
  return {options.organization_id.value_or(kDefaultLogin.organization_id),
          options.operator_id.value_or(kDefaultLogin.operator_id),
          options.login_date.value_or(kDefaultLogin.login_date)};
}

bool LoginGiven(const Options& options) {
  return options.organization_id && options.operator_id && options.login_date;
}

std::unique_ptr<embedded::SqliteDataAccess> OpenAccountSet(const std::string& path) {
  std::filesystem::path file(path);
  if (path != ":memory:" && file.has_parent_path()) {
    std::filesystem::create_directories(file.parent_path());
  }
  auto data = std::make_unique<embedded::SqliteDataAccess>(path);
  if (!embedded::HoldsAccountSet(*data)) {
    embedded::CreateAccountSet(*data, embedded::DemoSets::kShowcase);
  }
  return data;
}

// The account set the options name: the embedded file, or a server database (--pg).
struct AccountSetSource {
  std::unique_ptr<embedded::SqliteDataAccess> file;
  server::ServerAccountSet server;
  host::DataAccess& Data() {
    if (file) return *file;
    return *server.data;
  }
};

AccountSetSource OpenSource(const Options& options, const std::string& path) {
  AccountSetSource source;
  if (options.conninfo) {
    source.server = server::OpenServerAccountSet(*options.conninfo);
  } else {
    source.file = OpenAccountSet(path);
  }
  return source;
}

std::unique_ptr<ui::Desktop> MakeDesktop(AccountSetSource source,
                                         const embedded::LoginRequest& login) {
  if (source.file) return std::make_unique<ui::Desktop>(std::move(source.file), login);
  return std::make_unique<ui::Desktop>(std::move(source.server.data),
                                       std::move(source.server.next_id), login,
                                       std::move(source.server.fund));
}

int PrintSummary(const Options& options) {
  ConsoleMessageBox messages;
  ConsoleModalRunner modal;
  ConsoleMainWindow main_window;
  const embedded::HostUi host_ui{&messages, &modal, &main_window};
  std::unique_ptr<embedded::EmbeddedHost> host;
  if (options.conninfo) {
    server::ServerAccountSet set = server::OpenServerAccountSet(*options.conninfo);
    host = std::make_unique<embedded::EmbeddedHost>(std::move(set.data), std::move(set.next_id),
                                                    Proposal(options), host_ui);
  } else {
    std::filesystem::path file(options.path);
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    host = std::make_unique<embedded::EmbeddedHost>(options.path, Proposal(options), host_ui);
  }
  frame::InterFace inter_face;
  host->InitInterFace(inter_face);

  const auto& context = host->Login();
  std::cout << "lumvoucher: "
            << (options.conninfo ? "postgresql " + *options.conninfo : options.path) << "\n"
            << "机构 " << context.CurrentOrganization().code << " "
            << context.CurrentOrganization().name << "  操作员 " << context.CurrentOperator().name
            << "  登录日期 " << context.LoginDate() << " (" << context.LoginYear() << "年"
            << context.LoginPeriod() << "期)\n";
  for (const std::string& line : embedded::AccountSetSummary(host->Data())) {
    std::cout << "  " << line << "\n";
  }
  return 0;
}

// Renders one window of the demo account set (a private in-memory copy unless --db names a
// file) and exits.
int Screenshot(const Options& options) {
  const std::string path = options.path_given ? options.path : ":memory:";
  std::unique_ptr<ui::Desktop> desktop = MakeDesktop(OpenSource(options, path), Proposal(options));
  const std::string error = ui::TakeScreenshot(*desktop, options.show, options.screenshot);
  if (!error.empty()) {
    std::cerr << "lumvoucher: " << error << "\n";
    return 1;
  }
  return 0;
}

// One session per login; 重新登录 ends the session (every window closed, each asking about
// unsaved work) and asks who logs in next, without restarting the program.
// Prints one voucher of the account set (the demo's private copy unless --db names a file).
int PrintPdf(const Options& options) {
  const std::string path = options.path_given ? options.path : ":memory:";
  std::unique_ptr<ui::Desktop> desktop = MakeDesktop(OpenSource(options, path), Proposal(options));
  const std::optional<ui::PrintedVoucher> voucher = ui::PrintableVoucher(options.voucher_id);
  if (!voucher) {
    std::cerr << "lumvoucher: 凭证不存在：" << options.voucher_id << "\n";
    return 1;
  }
  return ui::VouchersToPdf({*voucher}, 1, options.pdf) ? 0 : 1;
}

int RunDesktop(const Options& options) {
  embedded::LoginRequest login = Proposal(options);
  bool ask = !LoginGiven(options);
  for (;;) {
    AccountSetSource source = OpenSource(options, options.path);
    std::unique_ptr<ui::Desktop> desktop;
    while (!desktop) {
      if (ask) {
        ui::LoginDialog dialog(source.Data(), login);
        if (dialog.exec() != QDialog::Accepted) return 0;
        login = dialog.Request();
      }
      try {
        desktop = MakeDesktop(std::move(source), login);
      } catch (const host::DatabaseError& error) {
        if (!ask) throw;
        // The host took the connection with it; a new login reopens the account set.
        ui::QtMessageBox().Show(error.what(), host::mb::kCritical, "登录");
        source = OpenSource(options, options.path);
      }
    }
    bool relogin = false;
    QObject::connect(&desktop->Main(), &ui::MainWindow::ReloginRequested, &desktop->Main(),
                     [&relogin, main = &desktop->Main()] {
                       relogin = true;
                       main->close();
                     });
    desktop->Main().show();
    const int status = QApplication::exec();
    if (!relogin) return status;
    desktop.reset();
    // The component's windows belong to the session that ends.
    frame::WindowRegistry::ReleaseAll();
    ask = true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Options> options = Parse(argc, argv);
  if (!options || options->path.empty()) return Usage();
  if (options->help) return Help();

  try {
    if (options->summary) return PrintSummary(*options);
    // The screenshot needs no display; a desktop session keeps its own platform when it has one.
    const bool offscreen = !options->screenshot.empty() || !options->pdf.empty();
    if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ui::Application app(argc, argv);
    if (!options->screenshot.empty()) return Screenshot(*options);
    if (!options->pdf.empty()) return PrintPdf(*options);
    return RunDesktop(*options);
  } catch (const std::exception& error) {
    std::cerr << "lumvoucher: " << error.what() << "\n";
    return 1;
  }
}
