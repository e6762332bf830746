// Printing, read back with pdftotext: several vouchers to a page and a voucher longer than its
// part of the page.
#include <unistd.h>

#include <QItemSelectionModel>
#include <QTableView>
#include <cstdio>
#include <filesystem>

#include "ui/desktop_fixture.h"
#include "ui/voucher_printer.h"

namespace lumvoucher::ui {
namespace {

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  ::pclose(pipe);
  return output;
}

class PrintingTest : public DesktopFixture {
 public:
  void SetUp() override {
    LogIn(2);
    pdf_ = (std::filesystem::temp_directory_path() /
            ("lumvoucher_print_" + std::to_string(::getpid()) + ".pdf"))
               .string();
  }
  void TearDown() override {
    std::filesystem::remove(pdf_);
    DesktopFixture::TearDown();
  }
  // The PDF's font maps some ideographs to radicals (⼯ for 工); compatibility normalisation
  // reads most of them as the same character (not ⺠ for 民: such names are left out).
  std::string Text() { return Normal(Shell("pdftotext -layout " + pdf_ + " - 2>&1")); }
  static std::string Normal(const std::string& text) {
    return ToUtf8(ToQt(text).normalized(QString::NormalizationForm_KC));
  }
  int Pages() {
    const std::string info = Shell("pdfinfo " + pdf_ + " 2>&1");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
  }
  PrintedVoucher Voucher(long id) {
    std::optional<PrintedVoucher> v = PrintableVoucher(id);
    EXPECT_TRUE(v.has_value()) << id;
    return v.value_or(PrintedVoucher{});
  }

  std::string pdf_;
};

TEST_F(PrintingTest, TwoVouchersShareAPageAndALongOneContinues) {
  ASSERT_TRUE(VouchersToPdf({Voucher(1), Voucher(2), Voucher(3)}, 2, pdf_));
  EXPECT_EQ(Pages(), 2);
  const std::string text = Text();
  EXPECT_NE(text.find("付-000001"), std::string::npos) << text;
  EXPECT_NE(text.find("记-000001"), std::string::npos) << text;

  PrintedVoucher longer = Voucher(8);
  while (longer.lines.size() < 40) longer.lines.push_back(longer.lines.front());
  ASSERT_TRUE(VouchersToPdf({longer}, 1, pdf_));
  EXPECT_EQ(Pages(), 2);
  const std::string continued = Text();
  const std::string continuation = Normal("记账凭证（续）");
  EXPECT_NE(continued.find(continuation), std::string::npos) << continued;
  // The totals close the voucher once, on its last part.
  const std::string totals = Normal("合计：");
  const std::size_t total = continued.find(totals);
  ASSERT_NE(total, std::string::npos);
  EXPECT_EQ(continued.find(totals, total + 1), std::string::npos);
  EXPECT_GT(total, continued.find(continuation));
}

}  // namespace
}  // namespace lumvoucher::ui
