#include "core/calendar/calendar_words.h"

#include <array>

namespace orvala::calendar {

namespace {

using Texts = std::array<std::string_view, 10>;

constexpr int lang(int language) {
    return language >= 0 && language < 10 ? language : 0;
}

constexpr Texts kMonths[12] = {
    {"January", "Январь", "Januar", "Janvier", "Enero", "一月", "Gennaio", "Leden", "1月", "1월"},
    {"February", "Февраль", "Februar", "Février", "Febrero", "二月", "Febbraio", "Únor", "2月",
     "2월"},
    {"March", "Март", "März", "Mars", "Marzo", "三月", "Marzo", "Březen", "3月", "3월"},
    {"April", "Апрель", "April", "Avril", "Abril", "四月", "Aprile", "Duben", "4月", "4월"},
    {"May", "Май", "Mai", "Mai", "Mayo", "五月", "Maggio", "Květen", "5月", "5월"},
    {"June", "Июнь", "Juni", "Juin", "Junio", "六月", "Giugno", "Červen", "6月", "6월"},
    {"July", "Июль", "Juli", "Juillet", "Julio", "七月", "Luglio", "Červenec", "7月", "7월"},
    {"August", "Август", "August", "Août", "Agosto", "八月", "Agosto", "Srpen", "8月", "8월"},
    {"September", "Сентябрь", "September", "Septembre", "Septiembre", "九月", "Settembre", "Září",
     "9月", "9월"},
    {"October", "Октябрь", "Oktober", "Octobre", "Octubre", "十月", "Ottobre", "Říjen", "10月",
     "10월"},
    {"November", "Ноябрь", "November", "Novembre", "Noviembre", "十一月", "Novembre", "Listopad",
     "11月", "11월"},
    {"December", "Декабрь", "Dezember", "Décembre", "Diciembre", "十二月", "Dicembre", "Prosinec",
     "12月", "12월"},
};

constexpr Texts kZodiac[12] = {
    {"Aries", "Овен", "Widder", "Bélier", "Aries", "白羊座", "Ariete", "Beran", "牡羊座", "양자리"},
    {"Taurus", "Телец", "Stier", "Taureau", "Tauro", "金牛座", "Toro", "Býk", "牡牛座", "황소자리"},
    {"Gemini", "Близнецы", "Zwillinge", "Gémeaux", "Géminis", "双子座", "Gemelli", "Blíženci",
     "双子座", "쌍둥이자리"},
    {"Cancer", "Рак", "Krebs", "Cancer", "Cáncer", "巨蟹座", "Cancro", "Rak", "蟹座", "게자리"},
    {"Leo", "Лев", "Löwe", "Lion", "Leo", "狮子座", "Leone", "Lev", "獅子座", "사자자리"},
    {"Virgo", "Дева", "Jungfrau", "Vierge", "Virgo", "处女座", "Vergine", "Panna", "乙女座",
     "처녀자리"},
    {"Libra", "Весы", "Waage", "Balance", "Libra", "天秤座", "Bilancia", "Váhy", "天秤座",
     "천칭자리"},
    {"Scorpio", "Скорпион", "Skorpion", "Scorpion", "Escorpio", "天蝎座", "Scorpione", "Štír",
     "蠍座", "전갈자리"},
    {"Sagittarius", "Стрелец", "Schütze", "Sagittaire", "Sagitario", "射手座", "Sagittario",
     "Střelec", "射手座", "사수자리"},
    {"Capricorn", "Козерог", "Steinbock", "Capricorne", "Capricornio", "摩羯座", "Capricorno",
     "Kozoroh", "山羊座", "염소자리"},
    {"Aquarius", "Водолей", "Wassermann", "Verseau", "Acuario", "水瓶座", "Acquario", "Vodnář",
     "水瓶座", "물병자리"},
    {"Pisces", "Рыбы", "Fische", "Poissons", "Piscis", "双鱼座", "Pesci", "Ryby", "魚座",
     "물고기자리"},
};

constexpr Texts kYears[12] = {
    {"Year Of The Monkey", "Год Обезьяны", "Jahr des Affen", "Année du Singe", "Año del Mono",
     "猴年", "Anno della Scimmia", "Rok opice", "申年", "원숭이해"},
    {"Year Of The Rooster", "Год Петуха", "Jahr des Hahns", "Année du Coq", "Año del Gallo", "鸡年",
     "Anno del Gallo", "Rok kohouta", "酉年", "닭의 해"},
    {"Year Of The Dog", "Год Собаки", "Jahr des Hundes", "Année du Chien", "Año del Perro", "狗年",
     "Anno del Cane", "Rok psa", "戌年", "개의 해"},
    {"Year Of The Pig", "Год Свиньи", "Jahr des Schweins", "Année du Cochon", "Año del Cerdo",
     "猪年", "Anno del Maiale", "Rok vepře", "亥年", "돼지해"},
    {"Year Of The Rat", "Год Крысы", "Jahr der Ratte", "Année du Rat", "Año de la Rata", "鼠年",
     "Anno del Topo", "Rok krysy", "子年", "쥐의 해"},
    {"Year Of The Ox", "Год Быка", "Jahr des Büffels", "Année du Buffle", "Año del Buey", "牛年",
     "Anno del Bue", "Rok buvola", "丑年", "소의 해"},
    {"Year Of The Tiger", "Год Тигра", "Jahr des Tigers", "Année du Tigre", "Año del Tigre", "虎年",
     "Anno della Tigre", "Rok tygra", "寅年", "호랑이해"},
    {"Year Of The Rabbit", "Год Кролика", "Jahr des Hasen", "Année du Lapin", "Año del Conejo",
     "兔年", "Anno del Coniglio", "Rok králíka", "卯年", "토끼해"},
    {"Year Of The Dragon", "Год Дракона", "Jahr des Drachen", "Année du Dragon", "Año del Dragón",
     "龙年", "Anno del Drago", "Rok draka", "辰年", "용의 해"},
    {"Year Of The Snake", "Год Змеи", "Jahr der Schlange", "Année du Serpent",
     "Año de la Serpiente", "蛇年", "Anno del Serpente", "Rok hada", "巳年", "뱀의 해"},
    {"Year Of The Horse", "Год Лошади", "Jahr des Pferdes", "Année du Cheval", "Año del Caballo",
     "马年", "Anno del Cavallo", "Rok koně", "午年", "말의 해"},
    {"Year Of The Goat", "Год Козы", "Jahr der Ziege", "Année de la Chèvre", "Año de la Cabra",
     "羊年", "Anno della Capra", "Rok kozy", "未年", "양의 해"},
};

struct Kind {
    std::string_view code;
    Texts names;
};

constexpr Kind kKinds[] = {
    {"RUS",
     {"Russian Festival", "Российский праздник", "Russischer Feiertag", "Fête russe", "Fiesta rusa",
      "俄罗斯节日", "Festa russa", "Ruský svátek", "ロシアの祝日", "러시아 기념일"}},
    {"USA",
     {"Holiday United States", "Праздник США", "Feiertag der USA", "Fête américaine",
      "Fiesta de Estados Unidos", "美国节日", "Festa statunitense", "Svátek USA", "アメリカの祝日",
      "미국 기념일"}},
    {"ENG",
     {"Holiday UK", "Праздник Великобритании", "Britischer Feiertag", "Fête britannique",
      "Fiesta británica", "英国节日", "Festa britannica", "Britský svátek", "イギリスの祝日",
      "영국 기념일"}},
    {"DEU",
     {"German holiday", "Праздник Германии", "Deutscher Feiertag", "Fête allemande",
      "Fiesta alemana", "德国节日", "Festa tedesca", "Německý svátek", "ドイツの祝日",
      "독일 기념일"}},
    {"FRA",
     {"French holiday", "Праздник Франции", "Französischer Feiertag", "Fête française",
      "Fiesta francesa", "法国节日", "Festa francese", "Francouzský svátek", "フランスの祝日",
      "프랑스 기념일"}},
    {"ISP",
     {"Spanish holiday", "Праздник Испании", "Spanischer Feiertag", "Fête espagnole",
      "Fiesta española", "西班牙节日", "Festa spagnola", "Španělský svátek", "スペインの祝日",
      "스페인 기념일"}},
    {"PRA",
     {"The Orthodox holiday", "Православный праздник", "Orthodoxer Feiertag", "Fête orthodoxe",
      "Fiesta ortodoxa", "东正教节日", "Festa ortodossa", "Pravoslavný svátek", "正教会の祭日",
      "정교회 축일"}},
    {"KAT",
     {"Catholic feast", "Католический праздник", "Katholisches Fest", "Fête catholique",
      "Fiesta católica", "天主教节日", "Festa cattolica", "Katolický svátek", "カトリックの祝日",
      "가톨릭 축일"}},
};

constexpr Texts kAnniversary = {"-th anniversary",
                                "-я годовщина",
                                "-jähriges Jubiläum",
                                "e anniversaire",
                                "º aniversario",
                                "周年",
                                "º anniversario",
                                ". výročí",
                                "周年",
                                "주년"};

}  // namespace

std::string_view monthName(int month, int language) {
    return month >= 1 && month <= 12 ? kMonths[month - 1][lang(language)] : std::string_view{};
}

std::string_view zodiacName(int zodiac, int language) {
    return kZodiac[(zodiac % 12 + 12) % 12][lang(language)];
}

std::string_view yearAnimalName(int animal, int language) {
    return kYears[(animal % 12 + 12) % 12][lang(language)];
}

std::string_view holidayKindName(std::string_view code, int language) {
    for (const Kind& kind : kKinds)
        if (kind.code == code) return kind.names[lang(language)];
    return {};
}

std::string_view anniversarySuffix(int language) {
    return kAnniversary[lang(language)];
}

}  // namespace orvala::calendar
