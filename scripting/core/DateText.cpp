// Dates to text and back, English (United States).
#include "scripting/core/Convert.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace quillo::script {

namespace {

std::u16string number(int v)
{
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

std::u16string twoDigits(int v)
{
    std::u16string s = number(v);
    return s.size() < 2 ? u"0" + s : s;
}

std::u16string dateText(const DateParts& p)
{
    return number(p.month) + u"/" + number(p.day) + u"/" + number(p.year);
}

std::u16string timeText(const DateParts& p)
{
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    return number(h12) + u":" + twoDigits(p.minute) + u":" + twoDigits(p.second) +
           (p.hour < 12 ? u" AM" : u" PM");
}

} // namespace

std::u16string formatDatePart(double ole)
{
    return dateText(oleToParts(ole));
}

std::u16string formatTimePart(double ole)
{
    return timeText(oleToParts(ole));
}

std::u16string formatDate(double ole)
{
    const DateParts p = oleToParts(ole);
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    const bool dayZero = p.year == 1899 && p.month == 12 && p.day == 30;
    if (dayZero)
        return timeText(p);
    if (midnight)
        return dateText(p);
    return dateText(p) + u" " + timeText(p);
}

// ---- parsing ---------------------------------------------------------------

namespace {

struct Token {
    enum Kind { Number, Word, Sep } kind;
    int value = 0;          // Number: its value; Word: month 1-12, or a marker below
    int length = 0;         // Number: digit count
    char16_t sep = 0;       // Sep: the separator character
};

constexpr int kWordAm = 101;
constexpr int kWordPm = 102;
constexpr int kWordWeekday = 103;

constexpr std::array<std::u16string_view, 12> kMonths = {
    u"january", u"february", u"march", u"april", u"may", u"june",
    u"july", u"august", u"september", u"october", u"november", u"december"};
constexpr std::array<std::u16string_view, 7> kWeekdays = {
    u"sunday", u"monday", u"tuesday", u"wednesday", u"thursday", u"friday", u"saturday"};

// A month or weekday name in full or cut to at least three letters ("Dec", "Sept").
int wordValue(const std::u16string& w)
{
    if (w == u"am" || w == u"a")
        return kWordAm;
    if (w == u"pm" || w == u"p")
        return kWordPm;
    if (w.size() >= 3) {
        for (size_t m = 0; m < kMonths.size(); ++m)
            if (kMonths[m].substr(0, w.size()) == w)
                return int(m) + 1;
        for (std::u16string_view d : kWeekdays)
            if (d.substr(0, w.size()) == w)
                return kWordWeekday;
    }
    return 0;
}

bool tokenize(std::u16string_view s, std::vector<Token>& out)
{
    size_t i = 0;
    while (i < s.size()) {
        const char16_t c = s[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            Token t{Token::Number};
            while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
                if (t.value > 100000)
                    return false;
                t.value = t.value * 10 + (s[i] - u'0');
                ++t.length;
                ++i;
            }
            out.push_back(t);
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
            std::u16string w;
            while (i < s.size() && ((s[i] >= u'a' && s[i] <= u'z') || (s[i] >= u'A' && s[i] <= u'Z')))
                w += toLowerChar(s[i++]);
            if (i < s.size() && s[i] == u'.' && w != u"a" && w != u"p")
                ++i; // "Dec." abbreviation dot
            Token t{Token::Word};
            t.value = wordValue(w);
            if (t.value == 0)
                return false;
            out.push_back(t);
        } else if (c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u':') {
            Token t{Token::Sep};
            t.sep = c;
            out.push_back(t);
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

struct Parsed {
    bool hasDate = false;
    bool hasTime = false;
    int year = -1; // -1: the current year
    int yearDigits = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Finds "h:m[:s] [AM|PM]" or "h AM|PM", removes it from the tokens.
bool extractTime(std::vector<Token>& t, Parsed& p)
{
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Token::Number)
            continue;
        size_t end = i;
        int parts[3] = {t[i].value, 0, 0};
        int count = 1;
        while (count < 3 && end + 2 < t.size() + 0 && t[end + 1].kind == Token::Sep &&
               t[end + 1].sep == u':' && t[end + 2].kind == Token::Number) {
            parts[count++] = t[end + 2].value;
            end += 2;
        }
        int meridiem = 0;
        if (end + 1 < t.size() && t[end + 1].kind == Token::Word &&
            (t[end + 1].value == kWordAm || t[end + 1].value == kWordPm)) {
            meridiem = t[end + 1].value;
            ++end;
        }
        if (count == 1 && meridiem == 0)
            continue;
        int hour = parts[0];
        if (meridiem) {
            if (hour < 1 || hour > 12) {
                if (!(hour == 0 && meridiem == kWordAm))
                    return false;
            }
            hour %= 12;
            if (meridiem == kWordPm)
                hour += 12;
        }
        if (hour > 23 || parts[1] > 59 || parts[2] > 59)
            return false;
        p.hasTime = true;
        p.hour = hour;
        p.minute = parts[1];
        p.second = parts[2];
        t.erase(t.begin() + long(i), t.begin() + long(end) + 1);
        return true;
    }
    return true;
}

int currentYear()
{
    return oleToParts(nowLocalOle()).year;
}

// The date tokens: numbers and month names with separators between them.
bool parseDateTokens(std::vector<Token> t, Parsed& p)
{
    // Weekday names and commas carry no information.
    std::vector<Token> items;
    for (size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.kind == Token::Word && k.value == kWordWeekday) {
            if (i + 1 < t.size() && t[i + 1].kind == Token::Sep && t[i + 1].sep == u',')
                ++i;
            continue;
        }
        if (k.kind == Token::Word && (k.value == kWordAm || k.value == kWordPm))
            return false;
        items.push_back(k);
    }
    // Separators must sit between two items and be of one kind (a comma may follow
    // a month-name form: "December 8, 2026").
    std::vector<Token> values;
    char16_t sep = 0;
    bool lastWasSep = true;
    for (const Token& k : items) {
        if (k.kind == Token::Sep) {
            if (lastWasSep)
                return false;
            if (k.sep == u':')
                return false;
            if (k.sep != u',') {
                if (sep && sep != k.sep)
                    return false;
                sep = k.sep;
            }
            lastWasSep = true;
            continue;
        }
        values.push_back(k);
        lastWasSep = false;
    }
    if (values.empty())
        return !items.empty() ? false : true;
    if (lastWasSep)
        return false;

    int monthName = 0;
    size_t monthIndex = 0;
    std::vector<Token> nums;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].kind == Token::Word) {
            if (monthName)
                return false;
            monthName = values[i].value;
            monthIndex = i;
        } else {
            nums.push_back(values[i]);
        }
    }
    auto setYear = [&](const Token& n) {
        p.year = n.value;
        p.yearDigits = n.length;
    };
    if (monthName) {
        p.month = monthName;
        if (nums.size() == 2) {
            // "December 8, 2026", "8 Dec 2026", "2026 Dec 8"
            if (monthIndex == 0 || (monthIndex == 1 && nums[0].length < 3)) {
                const Token& a = monthIndex == 0 ? nums[0] : nums[0];
                p.day = a.value;
                setYear(nums[1]);
            } else {
                setYear(nums[0]);
                p.day = nums[1].value;
            }
        } else if (nums.size() == 1) {
            // "Dec 8" (this year) or "Dec 2026" (its first day)
            if (nums[0].length >= 3 || nums[0].value > 31) {
                setYear(nums[0]);
                p.day = 1;
            } else {
                p.day = nums[0].value;
            }
        } else {
            return false;
        }
    } else if (nums.size() == 3) {
        if (nums[0].length >= 3) { // 2026-12-08, 2026/12/8
            setYear(nums[0]);
            p.month = nums[1].value;
            p.day = nums[2].value;
        } else {
            p.month = nums[0].value;
            p.day = nums[1].value;
            setYear(nums[2]);
        }
    } else if (nums.size() == 2) {
        if (nums[0].length >= 3) { // 2026-12: its first day
            setYear(nums[0]);
            p.month = nums[1].value;
            p.day = 1;
        } else if (nums[1].length >= 3 || (nums[1].value > 31 && nums[0].value <= 12)) {
            p.month = nums[0].value; // 12/2026
            setYear(nums[1]);
            p.day = 1;
        } else {
            p.month = nums[0].value; // 12/8, this year
            p.day = nums[1].value;
        }
    } else {
        return false;
    }
    if (sep == 0 && !monthName)
        return false; // bare numbers are not a date
    // A month above 12 with a day that could be a month: the two were given in
    // day/month order, as the runtime accepts.
    if (p.month > 12 && p.day >= 1 && p.day <= 12 && !monthName)
        std::swap(p.month, p.day);
    p.hasDate = true;
    return true;
}

} // namespace

std::optional<double> parseDate(std::u16string_view text)
{
    std::vector<Token> tokens;
    if (!tokenize(text, tokens) || tokens.empty())
        return std::nullopt;
    Parsed p;
    if (!extractTime(tokens, p))
        return std::nullopt;
    if (!tokens.empty() && !parseDateTokens(tokens, p))
        return std::nullopt;
    if (!p.hasDate && !p.hasTime)
        return std::nullopt;

    double day = 0;
    if (p.hasDate) {
        int year = p.year < 0 ? currentYear() : p.year;
        if (p.year >= 0 && p.yearDigits <= 2)
            year = expandTwoDigitYear(year);
        if (year < 100 || year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
            p.day > daysInMonth(year, p.month))
            return std::nullopt;
        day = dayNumber(year, p.month, p.day);
    }
    const double time = (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
    return combineDateTime(day, time);
}

} // namespace quillo::script
