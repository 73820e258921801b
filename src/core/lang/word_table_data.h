#pragma once
// The compiled-in entries behind word_table.h; only the generated table and word_table.cpp use
// this header.

#include <string_view>

#include "core/lang/language.h"
#include "core/lang/word_row.h"

namespace orvala::detail {

extern const std::string_view kWordEntries[kWordRowCount][kLanguageCount];
extern const std::string_view kWordRowNames[kWordRowCount];

}  // namespace orvala::detail
