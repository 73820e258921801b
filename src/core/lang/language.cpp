#include "core/lang/language.h"

#include "core/lang/word_table.h"

namespace orvala {

namespace {

int orEnglish(int language) {
    return isLanguageIndex(language) ? language : 0;
}

constexpr std::string_view kColumns[kLanguageCount] = {"ENG", "RUS", "DEU", "FRA", "SPA",
                                                       "CHI", "ITA", "CZE", "JAP", "KOR"};
constexpr std::string_view kVoices[kLanguageCount] = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                      "Chi", "Ita", "Cze", "Jap", "Kor"};
constexpr LanguageFlag kFlags[kLanguageCount] = {
    {LanguageFlag::List::European, 48}, {LanguageFlag::List::European, 1},
    {LanguageFlag::List::European, 16}, {LanguageFlag::List::European, 15},
    {LanguageFlag::List::European, 43}, {LanguageFlag::List::Asian, 10},
    {LanguageFlag::List::European, 24}, {LanguageFlag::List::European, 10},
    {LanguageFlag::List::Asian, 20},    {LanguageFlag::List::Asian, 40},
};

}  // namespace

std::string_view LanguageName(int language) {
    return Word(WordRow::LanguageName, orEnglish(language));
}

std::string_view LanguageColumn(int language) {
    return kColumns[orEnglish(language)];
}

std::string_view PictureCode(int language) {
    return Word(WordRow::PictureCode, orEnglish(language));
}

std::string_view VoiceCode(int language) {
    return kVoices[orEnglish(language)];
}

std::string PictureName(std::string_view prefix, int language) {
    return std::string(prefix) + std::string(PictureCode(language));
}

std::string PictureName(std::string_view prefix) {
    return PictureName(prefix, currentLanguage());
}

std::string FlagPictureName(int language) {
    // Japanese and Korean share the English pictures but not the English flag.
    switch (orEnglish(language)) {
        case 8:
            return "FlagOJap";
        case 9:
            return "FlagOKor";
        default:
            return PictureName("FlagO", language);
    }
}

LanguageFlag LanguageListFlag(int language) {
    return kFlags[orEnglish(language)];
}

}  // namespace orvala
