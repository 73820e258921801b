#include "core/online/countries.h"

#include <array>
#include <cstdio>
#include <iterator>

namespace orvala::online {
namespace {

// Per continent, in number order from 1: the display name and, where it differs, the short
// name.
struct Row {
    const char* name;
    const char* shortName;  // nullptr: the display name
};

constexpr Row kContinent1[] = {
    {"Russia", nullptr},
    {"Albania", nullptr},
    {"Andorra", nullptr},
    {"Austria", nullptr},
    {"Belarus", nullptr},
    {"Belgium", nullptr},
    {"Bosnia & Herzegovina", "Bosnia_Herz."},
    {"Bulgaria", nullptr},
    {"Croatia", nullptr},
    {"Czech Republic", "Czech_Republic"},
    {"Denmark", nullptr},
    {"Estonia", nullptr},
    {"Faroe Islands", "Faroe_Islands"},
    {"Finland", nullptr},
    {"France", nullptr},
    {"Germany", nullptr},
    {"Gibraltar", nullptr},
    {"Greece", nullptr},
    {"Guernsey", nullptr},
    {"Hungary", nullptr},
    {"Iceland", nullptr},
    {"Ireland", nullptr},
    {"Isle of Man", "Isle_of_Man"},
    {"Italy", nullptr},
    {"Jersey", nullptr},
    {"Latvia", nullptr},
    {"Liechtenstein", nullptr},
    {"Lithuania", nullptr},
    {"Luxembourg", nullptr},
    {"Macedonia", nullptr},
    {"Malta", nullptr},
    {"Moldova", nullptr},
    {"Monaco", nullptr},
    {"Netherlands", nullptr},
    {"Norway", nullptr},
    {"Poland", nullptr},
    {"Portugal", nullptr},
    {"Romania", nullptr},
    {"San Marino", "San_Marino"},
    {"Serbia-Montenegro", "Serbia-Mont."},
    {"Slovakia", nullptr},
    {"Slovenia", nullptr},
    {"Spain", nullptr},
    {"Sweden", nullptr},
    {"Switzerland", nullptr},
    {"Ukraine", nullptr},
    {"Vatican City", "Vatican_City"},
    {"United Kingdom", "United_Kingdom"},
};
constexpr Row kContinent2[] = {
    {"Afghanistan", nullptr},
    {"Armenia", nullptr},
    {"Azerbaijan", nullptr},
    {"Bahrain", nullptr},
    {"Bangladesh", nullptr},
    {"Bhutan", nullptr},
    {"British Indian Ocean Territory", "B.I.O.T."},
    {"Brunei", nullptr},
    {"Cambodia", nullptr},
    {"China", nullptr},
    {"Cyprus", nullptr},
    {"East Timor", "East_Timor"},
    {"Georgia", nullptr},
    {"Hong Kong", "Hong_Kong"},
    {"India", nullptr},
    {"Indonesia", nullptr},
    {"Iran", nullptr},
    {"Iraq", nullptr},
    {"Israel", nullptr},
    {"Japan", nullptr},
    {"Jordan", nullptr},
    {"Kazakhstan", nullptr},
    {"Kuwait", nullptr},
    {"Kyrgyzstan", nullptr},
    {"Laos", nullptr},
    {"Lebanon", nullptr},
    {"Macau", nullptr},
    {"Malaysia", nullptr},
    {"Maledives", nullptr},
    {"Mongolia", nullptr},
    {"Myanmar", nullptr},
    {"Nepal", nullptr},
    {"North Korea", "North_Korea"},
    {"Oman", nullptr},
    {"Pakistan", nullptr},
    {"Philippines", nullptr},
    {"Qatar", nullptr},
    {"Saudi Arabia", "Saudi_Arabia"},
    {"Singapore", nullptr},
    {"South Korea", "South_Korea"},
    {"Sri-Lanka", nullptr},
    {"Syria", nullptr},
    {"Taiwan", nullptr},
    {"Tajikistan", nullptr},
    {"Thailand", nullptr},
    {"Turkey", nullptr},
    {"Turkmenistan", nullptr},
    {"United Arab Emirates", "UAE"},
    {"Uzbekistan", nullptr},
    {"Vietnam", nullptr},
    {"Yemen", nullptr},
};
constexpr Row kContinent3[] = {
    {"Anguilla", nullptr},
    {"Antigua and Barbuda", "Antigua-Barbuda"},
    {"Aruba", nullptr},
    {"Bahamas", nullptr},
    {"Barbados", nullptr},
    {"Belize", nullptr},
    {"Bermuda", nullptr},
    {"British Virgin Islands", "BVI"},
    {"Canada", nullptr},
    {"Cayman Islands", "Cayman_Islands"},
    {"Costa Rica", "Costa_Rica"},
    {"Cuba", nullptr},
    {"Dominica", nullptr},
    {"Dominican Republic", "Dominican_Rep."},
    {"El Salvador", "El_Salvador"},
    {"Greenland", nullptr},
    {"Grenada", nullptr},
    {"Guatemala", nullptr},
    {"Haiti", nullptr},
    {"Honduras", nullptr},
    {"Jamaica", nullptr},
    {"Martinique", nullptr},
    {"Mexico", nullptr},
    {"Montserrat", nullptr},
    {"Nicaragua", nullptr},
    {"Panama", nullptr},
    {"Puerto Rico", "Puerto_Rico"},
    {"Saint Kitts and Nevis", "Saint_Kitts_N."},
    {"Saint Lucia", "Saint_Lucia"},
    {"Saint Pierre and Miquelon", "Saint_Pierre_M."},
    {"Saint Vincent and the Grenadines", "S.V._Grenadines"},
    {"Trinidad and Tobago", "Trinidad_Tobago"},
    {"Turks and Caicos Islands", "Turks_Caicos_I."},
    {"USA", nullptr},
    {"Virgin Islands", "Virgin_Islands"},
};
constexpr Row kContinent4[] = {
    {"Argentina", nullptr},
    {"Bolivia", nullptr},
    {"Brazil", nullptr},
    {"Chile", nullptr},
    {"Colombia", nullptr},
    {"Equador", nullptr},
    {"Falkland Islands", "Falkland_Isl."},
    {"Guyana", nullptr},
    {"Paraquay", nullptr},
    {"Peru", nullptr},
    {"South Georgia", "South_Georgia"},
    {"Suriname", nullptr},
    {"Uruquay", nullptr},
    {"Venezuela", nullptr},
};
constexpr Row kContinent5[] = {
    {"American Samoa", "American_Samoa"},
    {"Australia", nullptr},
    {"Cook Islands", "Cook_Islands"},
    {"Fiji", nullptr},
    {"French Polynesia", "Fr._Polynesia"},
    {"Guam", nullptr},
    {"Kiribati", nullptr},
    {"Marshall Islands", "Marshall_Isl."},
    {"Micronesia", nullptr},
    {"Nauru", nullptr},
    {"New Zealand", "New_Zealand"},
    {"Niue", nullptr},
    {"Norfolk Island", "Norfolk_Island"},
    {"Northern Mariana Islands", "N._Mariana_Isl."},
    {"Palau", nullptr},
    {"Papua New Guinea", "Papua_New_G."},
    {"Pitcairn Islands", "Pitcairn_Isl."},
    {"Samoa", nullptr},
    {"Solomon Islands", "Solomon_Islands"},
    {"Tonga", nullptr},
    {"Tuvalu", nullptr},
    {"Vanuatu", nullptr},
    {"Wallis and Futuna", "Wallis-Futuna"},
};
constexpr Row kContinent6[] = {
    {"Algeria", nullptr},
    {"Angola", nullptr},
    {"Benin", nullptr},
    {"Botswana", nullptr},
    {"Burkina Faso", "Burkina_Faso"},
    {"Burundi", nullptr},
    {"Cameroon", nullptr},
    {"Cape Verde", "Cape_Verde"},
    {"Central African Republic", "CAR"},
    {"Chad", nullptr},
    {"Comoros", nullptr},
    {"Congo Republic", "Congo_Rep."},
    {"Congo Democratic Republic", "Congo_DR"},
    {"Djibouti", nullptr},
    {"Egypt", nullptr},
    {"Equatorial Guinea", "Eq._Guinea"},
    {"Eritrea", nullptr},
    {"Ethiopia", nullptr},
    {"Gabon", nullptr},
    {"Gambia", nullptr},
    {"Ghana", nullptr},
    {"Guinea", nullptr},
    {"Guinea-Bissau", nullptr},
    {"Ivory Coast (Cote Divoire)", "Cote_Divoire"},
    {"Kenya", nullptr},
    {"Lesotho", nullptr},
    {"Liberia", nullptr},
    {"Libya", nullptr},
    {"Madagascar", nullptr},
    {"Malawi", nullptr},
    {"Mali", nullptr},
    {"Mauretania", nullptr},
    {"Mauritius", nullptr},
    {"Morocco", nullptr},
    {"Mozambique", nullptr},
    {"Namibia", nullptr},
    {"Niger", nullptr},
    {"Nigeria", nullptr},
    {"Rwanda", nullptr},
    {"Saint Helena", "Saint_Helena"},
    {"Sao Tome and Principe", "Sao_Tome_Pr."},
    {"Senegal", nullptr},
    {"Seychelles", nullptr},
    {"Sierra Leone", "Sierra_Leone"},
    {"Somalia", nullptr},
    {"South Africa", "South_Africa"},
    {"Sudan", nullptr},
    {"Swaziland", nullptr},
    {"Tanzania", nullptr},
    {"Togo", nullptr},
    {"Tunisia", nullptr},
    {"Uganda", nullptr},
    {"Zambia", nullptr},
    {"Zimbabwe", nullptr},
};

struct Continent {
    const char* name;
    const Row* rows;
    int count;
};

constexpr std::array<Continent, kContinents> kTable{{
    {"Europe", kContinent1, static_cast<int>(std::size(kContinent1))},
    {"Asia", kContinent2, static_cast<int>(std::size(kContinent2))},
    {"North America", kContinent3, static_cast<int>(std::size(kContinent3))},
    {"South America", kContinent4, static_cast<int>(std::size(kContinent4))},
    {"Oceania", kContinent5, static_cast<int>(std::size(kContinent5))},
    {"Africa", kContinent6, static_cast<int>(std::size(kContinent6))},
}};

}  // namespace

std::string_view continentName(int continent) {
    if (continent < 1 || continent > kContinents) return {};
    return kTable[continent - 1].name;
}

int countryCount(int continent) {
    if (continent < 1 || continent > kContinents) return 0;
    return kTable[continent - 1].count;
}

std::optional<Country> country(int continent, int number) {
    if (number < 0 || number > countryCount(continent)) return std::nullopt;
    if (number == 0) return Country{continent, 0, "Unknown", "Unknown"};
    const Row& row = kTable[continent - 1].rows[number - 1];
    return Country{continent, number, row.name, row.shortName ? row.shortName : row.name};
}

std::optional<Country> countryByCode(std::string_view code) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (code.size() != 5 || !digit(code[0]) || code[1] != '-' || !digit(code[2]) ||
        !digit(code[3]) || !digit(code[4]))
        return std::nullopt;
    return country(code[0] - '0', (code[2] - '0') * 100 + (code[3] - '0') * 10 + (code[4] - '0'));
}

std::string countryCode(int continent, int number) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d-%03d", continent, number);
    return buf;
}

}  // namespace orvala::online
