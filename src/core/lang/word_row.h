#pragma once
// `WordRow` names one row of the word table: one user text in ten languages. The constants are
// generated from data/words.tsv, one per row in file order, so code always names a row and never
// searches for a text. Word(), the other languages and the language helpers are in
// word_table.h and language.h.

#include <string_view>

#include "core/lang/word_rows_generated.h"

namespace orvala {

// The row's English entry (language 0), as UTF-8.
std::string_view englishWord(WordRow row);

}  // namespace orvala
