#include "embedded/dialect/nesting.h"

#include <string>

#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

void TooDeep(std::size_t offset) {
  Unsupported("nesting deeper than " + std::to_string(kMaxNesting) + " levels", offset);
}

}  // namespace lumvoucher::dialect
