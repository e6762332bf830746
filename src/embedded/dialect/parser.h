#pragma once

#include "embedded/dialect/ast.h"
#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::dialect {

// Recursive-descent parser of the Oracle SQL the component issues: one statement, or a
// "Begin stmt; ...; Commit; End;" block. Throws TranslateError naming what it cannot read.
Script Parse(const Lexed& lexed);

}  // namespace lumvoucher::dialect
