#include "embedded/dialect/column_types.h"

#include <string>

#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::dialect {

ValueType TypeOfDeclared(std::string_view declared) {
  const std::string upper = ToUpper(declared);
  auto has = [&upper](std::string_view part) { return upper.find(part) != std::string::npos; };
  if (has("INT")) return ValueType::kInteger;
  if (has("CHAR") || has("CLOB") || has("TEXT")) return ValueType::kText;
  if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC")) {
    return ValueType::kNumber;
  }
  return ValueType::kUnknown;
}

}  // namespace lumvoucher::dialect
