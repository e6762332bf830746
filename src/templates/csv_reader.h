#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// Reading CSV files record by record from a stream, so a file of any size is read in bounded
// memory: fields separated by ",", records by a line feed (a carriage return before it is
// dropped), a field in double quotes may hold commas, line breaks and doubled quotes. Texts
// are handed out as UTF-8: a UTF-8 file is checked (a byte-order mark at the start is skipped),
// a GBK file converted with iconv.
namespace lumvoucher::templates {

struct CsvRecord {
  long line = 0;  // the line the record starts on, from 1
  std::vector<std::string> fields;
  std::string error;  // why the record cannot be read ("" when it can); `fields` is then empty
};

class CsvReader {
 public:
  // A record longer than this is refused (and skipped) rather than held.
  static constexpr std::size_t kMaxRecordBytes = 1 << 20;

  CsvReader(std::istream& in, bool gbk);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // The next record that is not an empty line; false at the end of the stream.
  bool Next(CsvRecord& record);
  // Bytes consumed so far.
  std::uint64_t Position() const { return position_; }

 private:
  bool Fill();
  int Get();
  int Peek();
  // The length of the buffered bytes before the next quote or line feed.
  std::size_t QuotedRun();
  bool Convert(std::string& field);

  std::istream& in_;
  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool gbk_;
  void* iconv_ = nullptr;
  long line_ = 1;
  std::uint64_t position_ = 0;
  bool started_ = false;
};

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(const std::string& text);

}  // namespace lumvoucher::templates
