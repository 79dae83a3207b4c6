// Date: time values in ms since the epoch (UTC), local time through the core's zone
// helpers, this dialect's string formats and Date.parse of them.

#include <cmath>
#include <cstdio>

#include "scripting/core/DateTime.h"
#include "scripting/core/HostServices.h"
#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/VarDate.h"

namespace quillo::jscript {

namespace {

constexpr double msPerDay = 86400000.0;
const char16_t* kDays[] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
const char16_t* kLongDays[] = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
const char16_t* kMonths[] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
const char16_t* kLongMonths[] = {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August",
                                 u"September", u"October", u"November", u"December"};

double day(double t) { return std::floor(t / msPerDay); }
double timeWithinDay(double t) { double r = std::fmod(t, msPerDay); return r < 0 ? r + msPerDay : r; }
double daysInYear(double y) { return (std::fmod(y, 4) != 0) ? 365 : (std::fmod(y, 100) != 0) ? 366 : (std::fmod(y, 400) != 0) ? 365 : 366; }
double dayFromYear(double y) { return 365 * (y - 1970) + std::floor((y - 1969) / 4) - std::floor((y - 1901) / 100) + std::floor((y - 1601) / 400); }
double yearFromTime(double t) {
    double y = std::floor(t / (msPerDay * 365.2425)) + 1970;
    while (dayFromYear(y) * msPerDay > t) --y;
    while (dayFromYear(y + 1) * msPerDay <= t) ++y;
    return y;
}
bool inLeap(double t) { return daysInYear(yearFromTime(t)) == 366; }
int monthFromTime(double t) {
    double d = day(t) - dayFromYear(yearFromTime(t));
    int leap = inLeap(t) ? 1 : 0;
    const int ends[] = {31, 59 + leap, 90 + leap, 120 + leap, 151 + leap, 181 + leap, 212 + leap, 243 + leap, 273 + leap, 304 + leap, 334 + leap, 365 + leap};
    for (int m = 0; m < 12; ++m)
        if (d < ends[m]) return m;
    return 11;
}
int dateFromTime(double t) {
    double d = day(t) - dayFromYear(yearFromTime(t));
    int leap = inLeap(t) ? 1 : 0;
    const int starts[] = {0, 31, 59 + leap, 90 + leap, 120 + leap, 151 + leap, 181 + leap, 212 + leap, 243 + leap, 273 + leap, 304 + leap, 334 + leap};
    return static_cast<int>(d - starts[monthFromTime(t)]) + 1;
}
int weekDay(double t) { double r = std::fmod(day(t) + 4, 7); return static_cast<int>(r < 0 ? r + 7 : r); }
int hourFromTime(double t) { return static_cast<int>(timeWithinDay(t) / 3600000); }
int minFromTime(double t) { return static_cast<int>(std::fmod(timeWithinDay(t) / 60000, 60)); }
int secFromTime(double t) { return static_cast<int>(std::fmod(timeWithinDay(t) / 1000, 60)); }
int msFromTime(double t) { return static_cast<int>(std::fmod(timeWithinDay(t), 1000)); }

double makeTime(double h, double m, double s, double ms) {
    if (!std::isfinite(h) || !std::isfinite(m) || !std::isfinite(s) || !std::isfinite(ms)) return NAN;
    return std::trunc(h) * 3600000 + std::trunc(m) * 60000 + std::trunc(s) * 1000 + std::trunc(ms);
}
double makeDay(double year, double month, double date) {
    if (!std::isfinite(year) || !std::isfinite(month) || !std::isfinite(date)) return NAN;
    year = std::trunc(year);
    month = std::trunc(month);
    date = std::trunc(date);
    double ym = year + std::floor(month / 12);
    double mn = std::fmod(month, 12);
    if (mn < 0) mn += 12;
    static const int starts[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    double d = dayFromYear(ym) + starts[static_cast<int>(mn)] + (mn >= 2 && daysInYear(ym) == 366 ? 1 : 0);
    return d + date - 1;
}
double makeDate(double d, double t) { return d * msPerDay + t; }
double timeClip(double t) {
    if (!std::isfinite(t) || std::fabs(t) > 8.64e15) return NAN;
    return std::trunc(t) + 0.0;
}
double localTime(double t) { return script::utcToLocalMs(t); }
double utcFromLocal(double t) { return std::isfinite(t) ? script::localToUtcMs(t) : t; }

double thisTime(Vm& vm, Value thisv) {
    if (!thisv.isObject() || thisv.obj->cls != ObjClass::Date) vm.throwError(5006);
    return thisv.obj->internal.num;
}
void setThisTime(Value thisv, double t) { thisv.obj->internal = Value::number(t); }

std::u16string two(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return std::u16string(b, b + 2);
}
std::u16string num(double v) { return numberToString(v); }

std::u16string zoneText(double utc) {
    int off = script::localOffsetMinutes(utc);
    if (off == 0) return u"UTC";
    char b[16];
    std::snprintf(b, sizeof b, "UTC%c%02d%02d", off < 0 ? '-' : '+', std::abs(off) / 60, std::abs(off) % 60);
    return std::u16string(b, b + std::char_traits<char>::length(b));
}

std::u16string yearText(double y) {
    if (y <= 0) return num(1 - y) + u" B.C.";
    return num(y);
}

std::u16string timeText(double t) { return two(hourFromTime(t)) + u":" + two(minFromTime(t)) + u":" + two(secFromTime(t)); }

std::u16string toStringFormat(double utc) {
    double t = localTime(utc);
    return std::u16string(kDays[weekDay(t)]) + u" " + kMonths[monthFromTime(t)] + u" " + num(dateFromTime(t)) + u" " +
           timeText(t) + u" " + zoneText(utc) + u" " + yearText(yearFromTime(t));
}
std::u16string utcFormat(double t) {
    return std::u16string(kDays[weekDay(t)]) + u", " + num(dateFromTime(t)) + u" " + kMonths[monthFromTime(t)] + u" " +
           yearText(yearFromTime(t)) + u" " + timeText(t) + u" UTC";
}
std::u16string localeDate(double t) {
    return std::u16string(kLongDays[weekDay(t)]) + u", " + kLongMonths[monthFromTime(t)] + u" " + two(dateFromTime(t)) + u", " + num(yearFromTime(t));
}
std::u16string localeTime(double t) {
    int h = hourFromTime(t);
    int h12 = h % 12 == 0 ? 12 : h % 12;
    return num(h12) + u":" + two(minFromTime(t)) + u":" + two(secFromTime(t)) + (h < 12 ? u" AM" : u" PM");
}

// ---- parsing ----

int monthIndex(std::u16string_view w) {
    if (w.size() < 3) return -1;
    for (int m = 0; m < 12; ++m) {
        std::u16string_view full = kLongMonths[m];
        if (w.size() <= full.size()) {
            bool ok = true;
            for (size_t i = 0; i < w.size(); ++i) {
                char16_t a = w[i] | 0x20, b = full[i] | 0x20;
                if (a != b) ok = false;
            }
            if (ok) return m;
        }
    }
    return -1;
}

// Accepts the formats toString/toUTCString produce, "12/8/2026 [time]", and
// "Month d, yyyy [time]" in any order of words, as this dialect's parser does.
double parseDate(std::u16string_view s) {
    std::vector<double> nums;
    int month = -1;
    bool pm = false, am = false, utc = false, bc = false;
    double offsetMin = 0;
    bool haveOffset = false;
    std::vector<double> timeParts;
    std::vector<double> dateParts;
    char16_t dateSep = 0;
    size_t i = 0;
    while (i < s.size()) {
        char16_t c = s[i];
        if (c >= '0' && c <= '9') {
            double v = 0;
            size_t st = i;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') v = v * 10 + (s[i++] - '0');
            (void)st;
            if (i < s.size() && s[i] == ':') {
                timeParts.push_back(v);
                ++i;
                while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
                    double w = 0;
                    while (i < s.size() && s[i] >= '0' && s[i] <= '9') w = w * 10 + (s[i++] - '0');
                    timeParts.push_back(w);
                    if (i < s.size() && s[i] == ':') ++i;
                    else break;
                }
            } else if (i + 1 < s.size() && (s[i] == '/' || s[i] == '-') && s[i + 1] >= '0' && s[i + 1] <= '9') {
                // "m/d/y" or "m-d-y": the first separator fixes the one that follows.
                char16_t sep = dateSep = s[i];
                dateParts.push_back(v);
                while (i < s.size() && s[i] == sep) {
                    ++i;
                    double w = 0;
                    while (i < s.size() && s[i] >= '0' && s[i] <= '9') w = w * 10 + (s[i++] - '0');
                    dateParts.push_back(w);
                }
            } else {
                nums.push_back(v);
            }
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            size_t st = i;
            while (i < s.size() && ((s[i] >= 'a' && s[i] <= 'z') || (s[i] >= 'A' && s[i] <= 'Z') || s[i] == '.')) ++i;
            std::u16string w(s.substr(st, i - st));
            for (char16_t& ch : w) if (ch >= 'a' && ch <= 'z') ch -= 32;
            if (w == u"AM" || w == u"A.M.") am = true;
            else if (w == u"PM" || w == u"P.M.") pm = true;
            else if (w == u"UTC" || w == u"GMT" || w == u"Z" || w == u"UT") {
                utc = true;
                if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
                    int sign = s[i] == '-' ? -1 : 1;
                    ++i;
                    double v = 0;
                    int digits = 0;
                    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { v = v * 10 + (s[i++] - '0'); ++digits; }
                    double hh = digits <= 2 ? v : std::floor(v / 100), mm = digits <= 2 ? 0 : std::fmod(v, 100);
                    offsetMin = sign * (hh * 60 + mm);
                    haveOffset = true;
                }
            } else if (w == u"B.C." || w == u"BC") bc = true;
            else if (w == u"EST" || w == u"EDT" || w == u"CST" || w == u"CDT" || w == u"MST" || w == u"MDT" || w == u"PST" || w == u"PDT") {
                static const std::pair<const char16_t*, int> zones[] = {{u"EST", -300}, {u"EDT", -240}, {u"CST", -360}, {u"CDT", -300},
                                                                      {u"MST", -420}, {u"MDT", -360}, {u"PST", -480}, {u"PDT", -420}};
                for (auto& z : zones) if (w == z.first) offsetMin = z.second;
                utc = haveOffset = true;
            } else {
                int m = monthIndex(w);
                if (m >= 0) month = m;
                else {
                    bool isDay = false;
                    for (auto* d : kLongDays) {
                        std::u16string up(d);
                        for (char16_t& ch : up) if (ch >= 'a' && ch <= 'z') ch -= 32;
                        if (up.compare(0, w.size(), w) == 0 && w.size() >= 3) isDay = true;
                    }
                    if (!isDay) return NAN;
                }
            }
        } else if (c == '(') {
            // Text in parentheses, which may nest, is a comment.
            int depth = 0;
            do {
                if (s[i] == '(') ++depth;
                else if (s[i] == ')') --depth;
                ++i;
            } while (i < s.size() && depth > 0);
        } else if ((c == '+' || c == '-') && utc) {
            ++i;
        } else {
            ++i;
        }
    }
    double year, mon, dayOfMonth;
    if (dateParts.size() >= 3 && dateParts[0] > 31) {
        // A year first: "y/m/d" reads, the ISO-like "y-m-d" does not.
        if (dateSep == '-') return NAN;
        year = dateParts[0];
        mon = dateParts[1] - 1;
        dayOfMonth = dateParts[2];
    } else if (dateParts.size() >= 3) {
        mon = dateParts[0] - 1;
        dayOfMonth = dateParts[1];
        year = dateParts[2];
    } else if (month >= 0 && nums.size() >= 2) {
        mon = month;
        if (nums[0] > 31) { year = nums[0]; dayOfMonth = nums[1]; }
        else { dayOfMonth = nums[0]; year = nums[1]; }
    } else {
        return NAN;
    }
    if (year < 100 && !bc) year += 1900;
    if (bc) year = 1 - year;
    double h = timeParts.size() > 0 ? timeParts[0] : 0, mi = timeParts.size() > 1 ? timeParts[1] : 0, se = timeParts.size() > 2 ? timeParts[2] : 0;
    if (pm && h < 12) h += 12;
    if (am && h == 12) h = 0;
    double t = makeDate(makeDay(year, mon, dayOfMonth), makeTime(h, mi, se, 0));
    if (utc) t -= offsetMin * 60000;
    else t = utcFromLocal(t);
    return timeClip(t);
}

double nowMs(Vm& vm) {
    if (vm.context()) return static_cast<double>(vm.context()->host.nowUtcMillis());
    return static_cast<double>(script::nowUtcMillis());
}

double fromComponents(Vm& vm, std::span<Value> args) {
    double f[7] = {NAN, 0, 1, 0, 0, 0, 0};
    for (size_t i = 0; i < 7 && i < args.size(); ++i) f[i] = vm.toNumber(args[i]);
    double y = f[0];
    if (std::isfinite(y)) {
        double yi = std::trunc(y);
        if (yi >= 0 && yi <= 99) y = 1900 + yi;
    }
    return makeDate(makeDay(y, f[1], f[2]), makeTime(f[3], f[4], f[5], f[6]));
}

Value dateCall(Vm& vm, Value, std::span<Value>, Object*) { return vm.strv(toStringFormat(nowMs(vm))); }

Value dateConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    double t;
    if (args.empty()) {
        t = nowMs(vm);
    } else if (args.size() == 1) {
        Value v = args[0];
        if (v.isObject() && v.obj->cls == ObjClass::Date) t = v.obj->internal.num;
        else if (isVarDate(v)) t = varDateTime(v.obj);
        else {
            Value p = vm.toPrimitive(v);
            t = p.isString() ? parseDate(p.str->view()) : vm.toNumber(p);
        }
    } else {
        t = utcFromLocal(fromComponents(vm, args));
    }
    Object* o = vm.heap().make<Object>(ObjClass::Date, vm.dateProto);
    o->internal = Value::number(timeClip(t));
    return Value::object(o);
}

Value dateUTC(Vm& vm, Value, std::span<Value> args, Object*) { return Value::number(timeClip(fromComponents(vm, args))); }
Value dateParse(Vm& vm, Value, std::span<Value> args, Object*) { return Value::number(parseDate(vm.toString(arg(args, 0))->view())); }

enum Getter { FullYear, Month, Date_, Day, Hours, Minutes, Seconds, Milliseconds, Year, TimezoneOffset, Time };

Value dateGet(Vm& vm, Value thisv, std::span<Value>, Object* callee) {
    double t = thisTime(vm, thisv);
    int magic = static_cast<FunctionObject*>(callee)->magic;
    bool utc = magic >= 100;
    int which = magic % 100;
    if (std::isnan(t)) return Value::number(NAN);
    if (which == Time) return Value::number(t);
    if (which == TimezoneOffset) return Value::number((t - localTime(t)) / 60000);
    double lt = utc ? t : localTime(t);
    switch (which) {
        case FullYear: return Value::number(yearFromTime(lt));
        case Month: return Value::number(monthFromTime(lt));
        case Date_: return Value::number(dateFromTime(lt));
        case Day: return Value::number(weekDay(lt));
        case Hours: return Value::number(hourFromTime(lt));
        case Minutes: return Value::number(minFromTime(lt));
        case Seconds: return Value::number(secFromTime(lt));
        case Milliseconds: return Value::number(msFromTime(lt));
        case Year: {
            double y = yearFromTime(lt);
            return Value::number(y >= 1900 && y <= 1999 ? y - 1900 : y);
        }
        default: return Value();
    }
}

Value dateSet(Vm& vm, Value thisv, std::span<Value> args, Object* callee) {
    double t = thisTime(vm, thisv);
    int magic = static_cast<FunctionObject*>(callee)->magic;
    bool utc = magic >= 100;
    int which = magic % 100;
    auto a = [&](size_t i, double dflt) { return i < args.size() ? vm.toNumber(args[i]) : dflt; };
    if (which == Time) {
        double v = timeClip(a(0, NAN));
        setThisTime(thisv, v);
        return Value::number(v);
    }
    bool yearSetter = which == FullYear || which == Year;
    double lt = std::isnan(t) ? (yearSetter ? 0 : NAN) : (utc ? t : localTime(t));
    if (std::isnan(lt)) {
        setThisTime(thisv, NAN);
        return Value::number(NAN);
    }
    double y = yearFromTime(lt), mo = monthFromTime(lt), d = dateFromTime(lt);
    double h = hourFromTime(lt), mi = minFromTime(lt), s = secFromTime(lt), ms = msFromTime(lt);
    switch (which) {
        case FullYear: y = a(0, NAN); mo = a(1, mo); d = a(2, d); break;
        case Year: {
            y = a(0, NAN);
            if (std::isfinite(y) && std::trunc(y) >= 0 && std::trunc(y) <= 99) y = 1900 + std::trunc(y);
            break;
        }
        case Month: mo = a(0, NAN); d = a(1, d); break;
        case Date_: d = a(0, NAN); break;
        case Hours: h = a(0, NAN); mi = a(1, mi); s = a(2, s); ms = a(3, ms); break;
        case Minutes: mi = a(0, NAN); s = a(1, s); ms = a(2, ms); break;
        case Seconds: s = a(0, NAN); ms = a(1, ms); break;
        case Milliseconds: ms = a(0, NAN); break;
        default: break;
    }
    double nt = makeDate(makeDay(y, mo, d), makeTime(h, mi, s, ms));
    if (!utc) nt = utcFromLocal(nt);
    nt = timeClip(nt);
    setThisTime(thisv, nt);
    return Value::number(nt);
}

enum Format { ToString, ToUTCString, ToDateString, ToTimeString, ToLocaleString, ToLocaleDateString, ToLocaleTimeString };

Value dateFormat(Vm& vm, Value thisv, std::span<Value>, Object* callee) {
    double t = thisTime(vm, thisv);
    if (std::isnan(t)) return vm.strv(u"NaN");
    double lt = localTime(t);
    switch (static_cast<FunctionObject*>(callee)->magic) {
        case ToString: return vm.strv(toStringFormat(t));
        case ToUTCString: return vm.strv(utcFormat(t));
        case ToDateString:
            return vm.strv(std::u16string(kDays[weekDay(lt)]) + u" " + kMonths[monthFromTime(lt)] + u" " + num(dateFromTime(lt)) + u" " + yearText(yearFromTime(lt)));
        case ToTimeString: return vm.strv(timeText(lt) + u" " + zoneText(t));
        case ToLocaleString: return vm.strv(localeDate(lt) + u" " + localeTime(lt));
        case ToLocaleDateString: return vm.strv(localeDate(lt));
        default: return vm.strv(localeTime(lt));
    }
}

Value dateValueOf(Vm& vm, Value thisv, std::span<Value>, Object*) { return Value::number(thisTime(vm, thisv)); }

// JSON's form of a date: "yyyy-mm-ddThh:mm:ssZ" in UTC, whole seconds; null when invalid.
Value dateToJson(Vm& vm, Value thisv, std::span<Value>, Object*) {
    double t = thisTime(vm, thisv);
    if (std::isnan(t)) return Value::null();
    char b[48];
    std::snprintf(b, sizeof b, "%04.0f-%02d-%02dT%02d:%02d:%02dZ", yearFromTime(t), monthFromTime(t) + 1, dateFromTime(t),
                  hourFromTime(t), minFromTime(t), secFromTime(t));
    return vm.strv(std::u16string(b, b + std::char_traits<char>::length(b)));
}

Value getVarDate(Vm& vm, Value thisv, std::span<Value>, Object*) {
    double t = thisTime(vm, thisv);
    if (std::isnan(t)) return Value();
    return makeVarDate(vm, script::localMsToOle(localTime(t)));
}

}  // namespace

void installDateBuiltins(Vm& vm) {
    Object* p = vm.heap().make<Object>(ObjClass::Object, vm.objectProto);
    vm.dateProto = p;
    FunctionObject* ctor = makeConstructor(vm, u"Date", dateCall, dateConstruct, 7, p);
    vm.defineNative(ctor, u"UTC", dateUTC, 7);
    vm.defineNative(ctor, u"parse", dateParse, 1);
    struct G { const char16_t* name; int magic; };
    const G getters[] = {{u"getFullYear", FullYear}, {u"getMonth", Month}, {u"getDate", Date_}, {u"getDay", Day},
                         {u"getHours", Hours}, {u"getMinutes", Minutes}, {u"getSeconds", Seconds}, {u"getMilliseconds", Milliseconds},
                         {u"getUTCFullYear", 100 + FullYear}, {u"getUTCMonth", 100 + Month}, {u"getUTCDate", 100 + Date_},
                         {u"getUTCDay", 100 + Day}, {u"getUTCHours", 100 + Hours}, {u"getUTCMinutes", 100 + Minutes},
                         {u"getUTCSeconds", 100 + Seconds}, {u"getUTCMilliseconds", 100 + Milliseconds}, {u"getYear", Year},
                         {u"getTimezoneOffset", TimezoneOffset}, {u"getTime", Time}};
    for (const G& g : getters) vm.defineNative(p, g.name, dateGet, 0, g.magic);
    struct S { const char16_t* name; int magic; int arity; };
    const S setters[] = {{u"setFullYear", FullYear, 3}, {u"setMonth", Month, 2}, {u"setDate", Date_, 1}, {u"setHours", Hours, 4},
                         {u"setMinutes", Minutes, 3}, {u"setSeconds", Seconds, 2}, {u"setMilliseconds", Milliseconds, 1},
                         {u"setUTCFullYear", 100 + FullYear, 3}, {u"setUTCMonth", 100 + Month, 2}, {u"setUTCDate", 100 + Date_, 1},
                         {u"setUTCHours", 100 + Hours, 4}, {u"setUTCMinutes", 100 + Minutes, 3}, {u"setUTCSeconds", 100 + Seconds, 2},
                         {u"setUTCMilliseconds", 100 + Milliseconds, 1}, {u"setYear", Year, 1}, {u"setTime", Time, 1}};
    for (const S& s : setters) vm.defineNative(p, s.name, dateSet, s.arity, s.magic);
    const G formats[] = {{u"toString", ToString}, {u"toUTCString", ToUTCString}, {u"toGMTString", ToUTCString},
                         {u"toDateString", ToDateString}, {u"toTimeString", ToTimeString}, {u"toLocaleString", ToLocaleString},
                         {u"toLocaleDateString", ToLocaleDateString}, {u"toLocaleTimeString", ToLocaleTimeString}};
    for (const G& f : formats) vm.defineNative(p, f.name, dateFormat, 0, f.magic);
    vm.defineNative(p, u"valueOf", dateValueOf, 0);
    vm.defineNative(p, u"toJSON", dateToJson, 1);
    vm.defineNative(p, u"getVarDate", getVarDate, 0);
}

}  // namespace quillo::jscript
