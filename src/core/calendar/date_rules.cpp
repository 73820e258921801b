#include "core/calendar/date_rules.h"

#include "core/calendar/easter.h"

namespace orvala::calendar {

namespace {

// The digits text[from, from + count) as a number; -1 when any is not a digit.
int digits(std::string_view text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<DateRule> parseDateRule(std::string_view field) {
    if (field.size() != 10) return std::nullopt;
    DateRule rule;
    if (field.starts_with("pasha.")) {
        const char which = field[6];
        if (which != 'p' && which != 'k') return std::nullopt;
        rule.kind = which == 'p' ? DateRule::Kind::OrthodoxEaster : DateRule::Kind::CatholicEaster;
        if (field.substr(7) == "000") return rule;
        const int amount = digits(field, 8, 2);
        if (amount < 0 || (field[7] != '+' && field[7] != '-')) return std::nullopt;
        rule.offset = field[7] == '-' ? -amount : amount;
        return rule;
    }
    if (field.starts_with("****")) {
        if (field[5] != '.' || field[7] != '.') return std::nullopt;
        rule.kind = DateRule::Kind::Weekday;
        rule.week = field[4] == 'l' ? 0 : digits(field, 4, 1);
        rule.weekday = digits(field, 6, 1);
        rule.month = digits(field, 8, 2);
        if (rule.week < 0 || rule.week > 4 || rule.weekday < 1 || rule.weekday > 7 ||
            rule.month < 1 || rule.month > 12)
            return std::nullopt;
        return rule;
    }
    if (field[2] != '.' || field[5] != '.') return std::nullopt;
    rule.day = digits(field, 0, 2);
    rule.month = digits(field, 3, 2);
    rule.year = digits(field, 6, 4);
    // 29 February is the longest a day may be in its month in some year.
    if (rule.year < 0 || rule.month < 1 || rule.month > 12 || rule.day < 1 ||
        rule.day > daysInMonth(2000, rule.month))
        return std::nullopt;
    return rule;
}

bool ruleFallsOn(const DateRule& rule, const CivilDate& date) {
    if (!isSupportedDate(date)) return false;
    switch (rule.kind) {
        case DateRule::Kind::Fixed:
            return rule.day == date.day && rule.month == date.month;
        case DateRule::Kind::OrthodoxEaster:
        case DateRule::Kind::CatholicEaster: {
            const auto easter = rule.kind == DateRule::Kind::OrthodoxEaster
                                    ? orthodoxEaster(date.year)
                                    : catholicEaster(date.year);
            return easter && dayOfYear(*easter) + rule.offset == dayOfYear(date);
        }
        case DateRule::Kind::Weekday: {
            if (date.month != rule.month || weekdayOf(date) != rule.weekday) return false;
            if (rule.week == 0) return date.day > daysInMonth(date.year, date.month) - 7;
            return (date.day - 1) / 7 + 1 == rule.week;
        }
    }
    return false;
}

}  // namespace orvala::calendar
