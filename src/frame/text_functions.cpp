#include "frame/text_functions.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <vector>

namespace lumvoucher::frame {
namespace {

constexpr int kUnrepresentableWidth = 2;

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Byte length of the well-formed UTF-8 character that starts `s`, 0 when malformed.
// Overlong forms, surrogates and code points above U+10FFFF are malformed.
std::size_t Utf8Length(std::string_view s) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return 0;
  if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return 0;
  return length;
}

// One UTF-8 to GBK converter per thread: iconv descriptors carry state and are costly to open.
class GbkCounter {
 public:
  GbkCounter() : cd_(iconv_open("GBK", "UTF-8")) {}
  ~GbkCounter() {
    if (Available()) iconv_close(cd_);
  }
  GbkCounter(const GbkCounter&) = delete;
  GbkCounter& operator=(const GbkCounter&) = delete;

  // GBK bytes of `run`, which holds only well-formed multi-byte characters.
  int Width(std::string_view run) {
    if (!Available()) return CountCharacters(run) * kUnrepresentableWidth;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    // iconv takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(run.data());
    std::size_t in_left = run.size();
    int width = 0;
    char buffer[256];
    while (in_left > 0) {
      char* out = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t done = iconv(cd_, &in, &in_left, &out, &out_left);
      width += static_cast<int>(out - buffer);
      if (done != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ: a character GBK has no code for; EINVAL cannot happen on whole characters.
      const std::size_t skip = std::max<std::size_t>(1, Utf8Length({in, in_left}));
      in += skip;
      in_left -= skip;
      width += kUnrepresentableWidth;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return width;
  }

 private:
  bool Available() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  static int CountCharacters(std::string_view run) {
    int count = 0;
    for (std::size_t i = 0; i < run.size(); ++i) {
      if ((static_cast<unsigned char>(run[i]) & 0xC0) != 0x80) ++count;
    }
    return count;
  }

  iconv_t cd_;
};

GbkCounter& Counter() {
  thread_local GbkCounter counter;
  return counter;
}

struct Character {
  std::size_t offset;
  std::size_t size;
  int width;
};

// Splits the text into characters; a malformed byte is a character of its own.
std::vector<Character> Characters(std::string_view text) {
  std::vector<Character> characters;
  characters.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = Utf8Length(text.substr(i));
    if (length == 1) {
      characters.push_back({i, 1, 1});
    } else if (length == 0) {
      characters.push_back({i, 1, kUnrepresentableWidth});
    } else {
      characters.push_back({i, length, Counter().Width(text.substr(i, length))});
    }
    i += std::max<std::size_t>(length, 1);
  }
  return characters;
}

std::string Slice(std::string_view text, const std::vector<Character>& characters,
                  std::size_t first, std::size_t last) {
  if (first >= last) return std::string();
  const std::size_t begin = characters[first].offset;
  const std::size_t end = characters[last - 1].offset + characters[last - 1].size;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace

int StrLen(std::string_view text) {
  if (IsAscii(text)) return static_cast<int>(text.size());
  int width = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = Utf8Length(text.substr(i));
    if (length == 1) {
      ++width;
      ++i;
    } else if (length == 0) {
      width += kUnrepresentableWidth;
      ++i;
    } else {
      // Convert each run of well-formed multi-byte characters in one call.
      std::size_t end = i + length;
      while (end < text.size()) {
        const std::size_t next = Utf8Length(text.substr(end));
        if (next < 2) break;
        end += next;
      }
      width += Counter().Width(text.substr(i, end - i));
      i = end;
    }
  }
  return width;
}

std::string StrLeft(std::string_view text, int length) {
  if (length <= 0) return std::string();
  if (IsAscii(text)) return std::string(text.substr(0, static_cast<std::size_t>(length)));
  const auto characters = Characters(text);
  std::size_t count = 0;
  int width = 0;
  while (count < characters.size() && width + characters[count].width <= length) {
    width += characters[count].width;
    ++count;
  }
  return Slice(text, characters, 0, count);
}

std::string StrRight(std::string_view text, int length) {
  if (length <= 0) return std::string();
  if (IsAscii(text)) {
    const std::size_t keep = std::min(text.size(), static_cast<std::size_t>(length));
    return std::string(text.substr(text.size() - keep));
  }
  const auto characters = Characters(text);
  std::size_t first = characters.size();
  int width = 0;
  while (first > 0 && width + characters[first - 1].width <= length) {
    width += characters[first - 1].width;
    --first;
  }
  return Slice(text, characters, first, characters.size());
}

std::string SubStr(std::string_view text, int start, int length) {
  if (length <= 0) return std::string();
  const long long window_end = static_cast<long long>(start) + length;  // one past the last
  const long long window_start = std::max(start, 1);
  if (window_end <= window_start) return std::string();
  if (IsAscii(text)) {
    const auto begin = static_cast<std::size_t>(window_start - 1);
    if (begin >= text.size()) return std::string();
    return std::string(text.substr(begin, static_cast<std::size_t>(window_end - window_start)));
  }
  const auto characters = Characters(text);
  std::size_t first = characters.size();
  std::size_t last = characters.size();
  long long position = 1;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const long long end = position + characters[i].width;
    if (first == characters.size() && position >= window_start) first = i;
    if (end > window_end) {
      last = i;
      break;
    }
    position = end;
  }
  return Slice(text, characters, first, std::max(first, last));
}

std::string SubStr(std::string_view text, int start) {
  return SubStr(text, std::max(start, 1), StrLen(text) + 1);
}

int StrCount(std::string_view text, std::string_view separator) {
  if (separator.empty()) return 0;
  int count = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator, at + separator.size())) {
    ++count;
  }
  return count;
}

std::string StringOut(std::string_view text, std::string_view pad) {
  if (pad.empty()) return std::string(text);
  while (text.starts_with(pad)) text.remove_prefix(pad.size());
  while (text.ends_with(pad)) text.remove_suffix(pad.size());
  return std::string(text);
}

}  // namespace lumvoucher::frame
