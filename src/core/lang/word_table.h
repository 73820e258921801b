#pragma once
// The word table: every text the program shows, in ten languages, compiled in at build time.
//
// Entries are handed out as UTF-8 `std::string_view`s into static storage, valid for the life of
// the process. They keep their characters exactly: leading and trailing blanks that align
// columns, and "\n\r" (line feed, carriage return) where a text breaks its line. An entry may be
// empty where the table says so; nothing falls back to another language. Files and network
// messages carry Windows-1251 text: wordCp1251() converts (characters that Windows-1251 lacks,
// such as Chinese, Japanese and Korean, become '?').
//
// The current language is one process-wide index, set by the application from the settings'
// `LanguageIndex`; the program has one thread, so it is a plain value.

#include <optional>
#include <string>
#include <string_view>

#include "core/lang/language.h"
#include "core/lang/word_row.h"

namespace orvala {

// The entry of `row` at the current language.
std::string_view Word(WordRow row);
// The entry of `row` in language `language` (0..9); empty for an index outside the table.
std::string_view Word(WordRow row, int language);
// The entry as Windows-1251 bytes, for files and network texts.
std::string wordCp1251(WordRow row, int language);

// The current language, 0..9. An index outside 0..9 selects English.
int currentLanguage();
void setCurrentLanguage(int language);

// The row's constant name as written in the table ("IPlayOn"), for tools and diagnostics.
std::string_view wordRowName(WordRow row);
// Rows in table order: 0 .. kWordRowCount - 1.
std::optional<WordRow> wordRowAt(size_t index);

}  // namespace orvala
