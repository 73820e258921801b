#include "core/lang/word_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/lang/language.h"
#include "core/text/cp1251.h"

namespace orvala {
namespace {

bool validUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

size_t count(std::string_view s, std::string_view part) {
    size_t n = 0;
    for (size_t at = s.find(part); at != std::string_view::npos; at = s.find(part, at + 1)) ++n;
    return n;
}

class WordTable : public ::testing::Test {
  protected:
    void TearDown() override { setCurrentLanguage(0); }
};

TEST_F(WordTable, EveryEntryIsFilledInAndKeepsTheLayoutOfItsEnglishText) {
    ASSERT_GT(kWordRowCount, 400u);
    for (size_t i = 0; i < kWordRowCount; ++i) {
        const WordRow row = *wordRowAt(i);
        const std::string_view en = Word(row, 0);
        ASSERT_FALSE(en.empty()) << wordRowName(row);
        for (int lang = 0; lang < kLanguageCount; ++lang) {
            const std::string_view text = Word(row, lang);
            const std::string where =
                std::string(wordRowName(row)) + " in " + std::string(LanguageColumn(lang));
            EXPECT_TRUE(validUtf8(text)) << where;
            if (row == WordRow::HistoryPlayer && lang == 9) {
                EXPECT_TRUE(text.empty()) << "the Korean history header is empty on purpose";
                continue;
            }
            ASSERT_FALSE(text.empty()) << where;
            // Blanks that align columns or stand before a number that follows stay in place.
            EXPECT_EQ(text.front() == ' ', en.front() == ' ') << where;
            EXPECT_EQ(text.back() == ' ', en.back() == ' ') << where;
            EXPECT_EQ(count(text, "\n\r"), count(en, "\n\r")) << where;
            EXPECT_EQ(count(text, "\n"), count(en, "\n")) << where;
        }
    }
}

TEST_F(WordTable, RowsTheCoreNamesHaveTheirEnglishTexts) {
    EXPECT_EQ(englishWord(WordRow::ToBegin), "To Begin");
    EXPECT_EQ(englishWord(WordRow::IPlayOn), "I play on ");
    EXPECT_EQ(englishWord(WordRow::Pass), "Pass");
    EXPECT_EQ(englishWord(WordRow::ToOpenCards), "To open cards");
    EXPECT_EQ(englishWord(WordRow::Ok), "Ok");
    EXPECT_EQ(englishWord(WordRow::ToDistributeCards), "To distribute cards");
    EXPECT_EQ(englishWord(WordRow::Painting), "Painting");
    EXPECT_EQ(englishWord(WordRow::NextRound), "Next Round");
    EXPECT_EQ(englishWord(WordRow::ExitToMenu), "Exit to menu");
    EXPECT_EQ(englishWord(WordRow::Hundred), "Hundred");
    EXPECT_EQ(englishWord(WordRow::Eighty), "Eighty");
    EXPECT_EQ(englishWord(WordRow::Sixty), "Sixty");
    EXPECT_EQ(englishWord(WordRow::Forty), "Forty");
    EXPECT_EQ(englishWord(WordRow::Game), "Game");
    EXPECT_EQ(englishWord(WordRow::CantSaveOptions), "Can`t save options!");
    EXPECT_EQ(englishWord(WordRow::MrX), "Mr.X");
    EXPECT_EQ(englishWord(WordRow::FlyCards), "\"Fly\" cards");
    EXPECT_EQ(englishWord(WordRow::NameChanged),
              "Your name and/or the password were successfully changed!\n\rNew name: ");
}

TEST_F(WordTable, RowsPickedByOffsetOrJoinedStandTogether) {
    const auto next = [](WordRow row, int by) {
        return *wordRowAt(static_cast<size_t>(row) + static_cast<size_t>(by));
    };
    EXPECT_EQ(englishWord(next(WordRow::Mode, 1)), " The members of club    Games    Score ");
    EXPECT_EQ(englishWord(next(WordRow::Mode, 2)), " The members of club    Games   Rating ");
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        EXPECT_EQ(Word(WordRow::TheFileQuoteOpen, lang).back(), '"');
        EXPECT_EQ(Word(WordRow::HasIncorrectAttributes, lang).front(), '"');
    }
    EXPECT_EQ(next(WordRow::TheFileQuoteOpen, 1), WordRow::HasIncorrectAttributes);
    EXPECT_EQ(next(WordRow::PlayerInterrupted, 1), WordRow::InterruptedTheGame);
    EXPECT_EQ(next(WordRow::PlayerTimeUp, 1), WordRow::TimeIsUp);
}

TEST_F(WordTable, CurrentLanguageChoosesTheEntry) {
    EXPECT_EQ(Word(WordRow::Pass), "Pass");
    setCurrentLanguage(1);
    EXPECT_EQ(currentLanguage(), 1);
    EXPECT_EQ(Word(WordRow::Pass), "Пас");
    EXPECT_EQ(wordCp1251(WordRow::Pass, 1), "\xCF\xE0\xF1");
    setCurrentLanguage(10);  // no such column: English
    EXPECT_EQ(currentLanguage(), 0);
    EXPECT_EQ(Word(WordRow::Pass, -1), "");
    EXPECT_EQ(Word(static_cast<WordRow>(kWordRowCount), 0), "");
    EXPECT_FALSE(wordRowAt(kWordRowCount).has_value());
}

TEST_F(WordTable, ConstantNamesAreUniqueAndMatchTheirRows) {
    std::set<std::string_view> names;
    for (size_t i = 0; i < kWordRowCount; ++i) names.insert(wordRowName(*wordRowAt(i)));
    EXPECT_EQ(names.size(), kWordRowCount);
    EXPECT_EQ(wordRowName(WordRow::IPlayOn), "IPlayOn");
}

TEST_F(WordTable, LanguagesChooseTheirPicturesVoicesAndFlags) {
    const char* names[] = {"English", "Русский",  "Deutsche", "Français", "Español",
                           "中文",    "Italiano", "Čeština",  "日本",     "한국인"};
    const char* pictures[] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Eng", "Eng"};
    const char* voices[] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        EXPECT_EQ(LanguageName(lang), names[lang]);
        EXPECT_EQ(PictureCode(lang), pictures[lang]);
        EXPECT_EQ(VoiceCode(lang), voices[lang]);
    }
    EXPECT_EQ(FlagPictureName(1), "FlagORus");
    EXPECT_EQ(FlagPictureName(8), "FlagOJap");
    EXPECT_EQ(FlagPictureName(9), "FlagOKor");
    setCurrentLanguage(9);  // Korean: English pictures, Korean voices
    EXPECT_EQ(PictureName("GFormOpt"), "GFormOptEng");
    setCurrentLanguage(2);
    EXPECT_EQ(PictureName("Cap"), "CapDeu");
    EXPECT_EQ(LanguageListFlag(0).index, 48);
    EXPECT_EQ(LanguageListFlag(8).list, LanguageFlag::List::Asian);
    EXPECT_EQ(LanguageListFlag(8).index, 20);
    EXPECT_EQ(LanguageColumn(42), "ENG");
}

}  // namespace
}  // namespace orvala
