#include "table/word_text.h"

#include "core/lang/word_table.h"

namespace orvala::table {

QString word(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

QString captionText(const Caption& c) {
    return word(c.row) + QString::fromStdString(c.suffix);
}

}  // namespace orvala::table
