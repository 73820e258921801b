// orvala-tool words: the word table in one language, one row a line: the row's constant, a tab,
// the entry. Line breaks, tabs and backslashes in entries are written as \n, \r, \t and \\, as in
// data/words.tsv.

#include <iostream>
#include <string>

#include "commands.h"
#include "core/lang/word_table.h"

namespace orvala::tool {

namespace {

int languageArg(const std::string& text) {
    for (int lang = 0; lang < kLanguageCount; ++lang)
        if (text == LanguageColumn(lang)) return lang;
    return parseInt(text, "--lang", 0, kLanguageCount - 1);
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

int runWords(Args& args) {
    const auto lang = args.value("lang");
    args.finish();
    const int language = lang ? languageArg(*lang) : 0;
    for (size_t i = 0; i < kWordRowCount; ++i) {
        const WordRow row = *wordRowAt(i);
        std::cout << wordRowName(row) << '\t' << escaped(Word(row, language)) << '\n';
    }
    return 0;
}

}  // namespace orvala::tool
