#pragma once

#include "data/engine/FilterTree.h"

namespace morvane::engine_detail {

// Parses a filter:
//   or-expr   := and-expr { Or and-expr }
//   and-expr  := not-expr { And not-expr }
//   not-expr  := Not not-expr | primary
//   primary   := ( or-expr ) | operand op operand | operand Like text
//              | operand Is [Not] Null
//   operand   := [Field] | Field | number | 'text'
// Keywords in any case. Throws EngineError FilterSyntax, naming where the
// filter goes wrong. Like patterns are checked here too.
std::shared_ptr<const ParsedFilter> ParseFilter(const QString& filter);

} // namespace morvane::engine_detail
