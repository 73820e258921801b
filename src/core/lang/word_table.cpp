#include "core/lang/word_table.h"

#include "core/lang/word_table_data.h"
#include "core/text/cp1251.h"

namespace orvala {

namespace {

int gLanguage = 0;

size_t rowIndex(WordRow row) {
    return static_cast<size_t>(row);
}

}  // namespace

std::string_view Word(WordRow row, int language) {
    if (!isLanguageIndex(language) || rowIndex(row) >= kWordRowCount) return {};
    return detail::kWordEntries[rowIndex(row)][language];
}

std::string_view Word(WordRow row) {
    return Word(row, gLanguage);
}

std::string_view englishWord(WordRow row) {
    return Word(row, 0);
}

std::string wordCp1251(WordRow row, int language) {
    return utf8ToCp1251(Word(row, language));
}

int currentLanguage() {
    return gLanguage;
}

void setCurrentLanguage(int language) {
    gLanguage = isLanguageIndex(language) ? language : 0;
}

std::string_view wordRowName(WordRow row) {
    return rowIndex(row) < kWordRowCount ? detail::kWordRowNames[rowIndex(row)]
                                         : std::string_view{};
}

std::optional<WordRow> wordRowAt(size_t index) {
    if (index >= kWordRowCount) return std::nullopt;
    return static_cast<WordRow>(index);
}

}  // namespace orvala
