#include "templates/csv_reader.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "templates/templates_texts.h"

namespace lumvoucher::templates {

namespace {

bool Ascii(const std::string& text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

bool IsUtf8(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int extra = 0;
    unsigned min = 0;
    unsigned value = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      min = 0x80;
      value = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      min = 0x800;
      value = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      min = 0x10000;
      value = c & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= n) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char d = s[i + static_cast<std::size_t>(k)];
      if ((d & 0xC0u) != 0x80u) return false;
      value = (value << 6) | (d & 0x3Fu);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

CsvReader::CsvReader(std::istream& in, bool gbk) : in_(in), gbk_(gbk) {
  if (gbk_) {
    // Without the converter every text of the file is refused as not GBK.
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_ = cd;
  }
}

CsvReader::~CsvReader() {
  if (iconv_ != nullptr) iconv_close(static_cast<iconv_t>(iconv_));
}

bool CsvReader::Fill() {
  if (pos_ < end_) return true;
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  pos_ = 0;
  end_ = static_cast<std::size_t>(in_.gcount());
  return end_ > 0;
}

int CsvReader::Get() {
  if (!Fill()) return std::char_traits<char>::eof();
  ++position_;
  return static_cast<unsigned char>(buffer_[pos_++]);
}

int CsvReader::Peek() {
  if (!Fill()) return std::char_traits<char>::eof();
  return static_cast<unsigned char>(buffer_[pos_]);
}

std::size_t CsvReader::QuotedRun() {
  if (!Fill()) return 0;
  const char* start = buffer_.data() + pos_;
  const std::size_t n = end_ - pos_;
  const void* quote = std::memchr(start, '"', n);
  const void* feed = std::memchr(start, '\n', n);
  std::size_t run =
      quote == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(quote) - start);
  if (feed != nullptr) {
    run = std::min(run, static_cast<std::size_t>(static_cast<const char*>(feed) - start));
  }
  return run;
}

bool CsvReader::Convert(std::string& field) {
  if (Ascii(field)) return true;
  if (!gbk_) return IsUtf8(field);
  if (iconv_ == nullptr) return false;
  auto cd = static_cast<iconv_t>(iconv_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(field.size() * 2 + 4, '\0');
  char* in_ptr = field.data();
  std::size_t in_left = field.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) {
    return false;
  }
  out.resize(out.size() - out_left);
  field = std::move(out);
  return true;
}

bool CsvReader::Next(CsvRecord& record) {
  constexpr int kEof = std::char_traits<char>::eof();
  if (!started_) {
    started_ = true;
    // A UTF-8 byte-order mark is not part of the first column's name.
    if (!gbk_ && Fill() && end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) {
      pos_ = 3;
      position_ = 3;
    }
  }
  while (true) {
    record.line = line_;
    record.fields.clear();
    record.error.clear();
    if (Peek() == kEof) return false;
    std::string field;
    std::size_t bytes = 0;
    bool too_long = false;
    bool quoted = false;
    bool open_quote = false;
    bool end = false;
    auto keep = [&](char c) {
      if (++bytes > kMaxRecordBytes) too_long = true;
      if (!too_long) field += c;
    };
    auto keep_run = [&](std::size_t n) {
      bytes += n;
      if (bytes > kMaxRecordBytes) too_long = true;
      if (!too_long) field.append(buffer_.data() + pos_, n);
      pos_ += n;
      position_ += n;
    };
    auto finish_field = [&] {
      if (!too_long) record.fields.push_back(std::move(field));
      field.clear();
      quoted = false;
    };
    while (!end) {
      // Long quoted texts are copied in runs up to the next quote or line feed.
      if (quoted) {
        if (const std::size_t run = QuotedRun(); run > 0) {
          keep_run(run);
          continue;
        }
      }
      int c = Get();
      if (c == kEof) {
        if (quoted) open_quote = true;
        finish_field();
        break;
      }
      if (quoted) {
        if (c == '"') {
          if (Peek() == '"') {
            Get();
            keep('"');
          } else {
            quoted = false;
          }
        } else {
          if (c == '\n') ++line_;
          keep(static_cast<char>(c));
        }
        continue;
      }
      switch (c) {
        case ',':
          finish_field();
          break;
        case '\r':
          if (Peek() == '\n') break;
          keep('\r');
          break;
        case '\n':
          ++line_;
          finish_field();
          end = true;
          break;
        case '"':
          // A quote opens a quoted stretch at the start of a field and anywhere after one.
          if (field.empty()) {
            quoted = true;
          } else {
            keep('"');
          }
          break;
        default:
          keep(static_cast<char>(c));
      }
    }
    if (record.fields.size() == 1 && record.fields[0].empty() && !too_long && !open_quote) {
      continue;  // an empty line
    }
    if (too_long) {
      record.fields.clear();
      record.error = texts::kLineTooLong;
    } else if (open_quote) {
      record.fields.clear();
      record.error = texts::kOpenQuote;
    } else {
      for (std::string& f : record.fields) {
        if (!Convert(f)) {
          record.fields.clear();
          record.error = gbk_ ? texts::kBadGbk : texts::kBadUtf8;
          break;
        }
      }
    }
    return true;
  }
}

}  // namespace lumvoucher::templates
