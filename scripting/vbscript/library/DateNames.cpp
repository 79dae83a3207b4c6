#include "scripting/vbscript/library/DateNames.h"

namespace quillo::vbscript::library {

namespace {
constexpr std::u16string_view kMonths[] = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December",
};
constexpr std::u16string_view kWeekdays[] = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday",
};
} // namespace

std::u16string_view monthNameOf(int month, bool abbreviated)
{
    const std::u16string_view name = kMonths[month - 1];
    return abbreviated ? name.substr(0, 3) : name;
}

std::u16string_view weekdayNameOf(int weekday, bool abbreviated)
{
    const std::u16string_view name = kWeekdays[weekday - 1];
    return abbreviated ? name.substr(0, 3) : name;
}

} // namespace quillo::vbscript::library
