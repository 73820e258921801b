#pragma once
// The ten languages of the word table, in column order, and what each language selects besides
// its texts: the pictures that carry writing, the spoken card names and the flags.
//
//   0 English, 1 Russian, 2 German, 3 French, 4 Spanish, 5 Chinese (simplified), 6 Italian,
//   7 Czech, 8 Japanese, 9 Korean.
//
// Japanese and Korean have no pictures of their own and use the English ones, but they have their
// own voices and flags.

#include <string>
#include <string_view>

namespace orvala {

inline constexpr int kLanguageCount = 10;

// True for 0..9.
constexpr bool isLanguageIndex(int language) {
    return language >= 0 && language < kLanguageCount;
}

// The language's name as its own speakers write it, shown in the language list ("Русский").
std::string_view LanguageName(int language);
// The short column name: "ENG", "RUS", "DEU", "FRA", "SPA", "CHI", "ITA", "CZE", "JAP", "KOR".
std::string_view LanguageColumn(int language);
// The code in the names of language-specific pictures ("Eng", "Rus", ...; "Eng" for 8 and 9).
std::string_view PictureCode(int language);
// The code of the spoken card names; every language has its own ("Jap", "Kor").
std::string_view VoiceCode(int language);
// A picture that carries writing, in the current language: prefix + picture code ("CapRus").
std::string PictureName(std::string_view prefix);
std::string PictureName(std::string_view prefix, int language);
// The flag picture of the options dialog: "FlagO" + picture code, "FlagOJap", "FlagOKor".
std::string FlagPictureName(int language);

// Where the language list finds a language's flag: the European or the Asian image list of the
// main window, and the index in it.
struct LanguageFlag {
    enum class List { European, Asian } list = List::European;
    int index = 0;
};
LanguageFlag LanguageListFlag(int language);

// An index outside 0..9 is read as English by every function above.

}  // namespace orvala
