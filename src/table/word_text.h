#pragma once
// A word-table row as the user interface shows it: the entry at the current language as a
// QString. Every window and every drawing of the table takes its texts through this.

#include <QString>

#include "core/game/table_events.h"
#include "core/lang/word_row.h"

namespace orvala::table {

QString word(WordRow row);
// A row with the text after it: "I play on " + "105".
QString captionText(const Caption& c);

}  // namespace orvala::table
