#pragma once

#include <string>
#include <vector>

namespace lumvoucher::embedded {

// A text file compiled into the binary (the schema and the demo account set).
struct EmbeddedFile {
  std::string name;
  std::string text;
};

// The schema files in the order they are applied, and the demo account set's data files.
std::vector<EmbeddedFile> SchemaFiles();
std::vector<EmbeddedFile> DemoFiles();
// The fund system's database beside the account set: its schema and demo requests.
std::vector<EmbeddedFile> FundFiles();

}  // namespace lumvoucher::embedded
