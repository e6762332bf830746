#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/profile_files.h"
#include "templates/external_voucher.h"

// The interface standards of "iei.ini". Section "接口标准" lists them under the keys "1标准",
// "2标准", ... A standard's CSV files are described by a section named after it: the key
// "字符集" gives the encoding ("UTF-8", the default, or "GBK"), and a key named after a field's
// caption ("外部凭证号", "日期", "科目", ...) gives the file's own name of that column; a field not
// named keeps its caption. The file's first line names its columns. "Sample接口" is built in:
// the captions, UTF-8, whatever the file says.
namespace lumvoucher::templates {

struct CsvLayout {
  std::string standard;
  bool gbk = false;
  std::string columns[kExternalFieldCount];  // the file's column name of each field
};

// The standards in the order of their numbers; a file without the list offers "Sample接口".
std::vector<std::string> StandardNames(const host::ProfileContents& ini);
// Nothing when `standard` is not listed (the sample is always known).
std::optional<CsvLayout> LayoutOf(const host::ProfileContents& ini, const std::string& standard);
// The profile at `path`, or "iei.ini" in the host's folder when `path` is empty.
std::string IniPath(const std::string& path);

}  // namespace lumvoucher::templates
