#include "scripting/vbscript/library/RegExpObject.h"

#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/TextLimits.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/RegExp.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/core/Variant.h"

#include <memory>
#include <string>
#include <vector>

namespace quillo::vbscript::library {

namespace script = quillo::script;
using script::Dispatch;
using script::DispatchPtr;
using script::InvokeKind;
using script::Ref;
using script::ScriptError;
using script::Variant;

namespace {

[[noreturn]] void raise(int32_t number)
{
    throw ScriptError::runtime(number);
}

// Member tables are small and fixed: a linear case-insensitive scan beats hashing here.
struct MemberName {
    std::u16string_view name;
    int32_t id;
};

template <size_t N>
int32_t findMember(const MemberName (&members)[N], std::u16string_view name)
{
    for (const MemberName& m : members)
        if (script::equalsIgnoreCase(m.name, name))
            return m.id;
    return script::DISPID_UNKNOWN;
}

template <size_t N>
std::u16string nameOfMember(const MemberName (&members)[N], int32_t id)
{
    for (const MemberName& m : members)
        if (m.id == id)
            return std::u16string(m.name);
    return {};
}

bool isGet(InvokeKind kind)
{
    return hasFlag(kind, InvokeKind::PropertyGet) || hasFlag(kind, InvokeKind::Method);
}

// Read-only members accept gets with exactly `count` arguments; puts are 450.
void requireGet(InvokeKind kind, std::span<Variant> args, size_t count)
{
    if (!isGet(kind) || args.size() != count)
        raise(script::err::WrongArguments);
}

// The subject a Match refers to, shared by every match of one Execute.
using Subject = std::shared_ptr<const std::u16string>;

// Matches and SubMatches: a read-only list with Count, Item (the default member, 0-based;
// 5 outside the list) and For Each.
class ItemCollection final : public Dispatch {
public:
    ItemCollection(std::u16string typeName, std::vector<Variant> items)
        : typeName_(std::move(typeName)), items_(std::move(items))
    {
    }

    int32_t memberId(std::u16string_view name) override { return findMember(kMembers, name); }
    std::u16string memberName(int32_t id) override { return nameOfMember(kMembers, id); }
    std::u16string typeName() override { return typeName_; }

    Variant invoke(int32_t id, InvokeKind kind, std::span<Variant> args) override
    {
        switch (id) {
        case kCount:
            requireGet(kind, args, 0);
            return Variant::fromLong(int32_t(items_.size()));
        case script::DISPID_VALUE:
        case kItem: {
            requireGet(kind, args, 1);
            const int32_t index = local::toLong(args[0]);
            if (index < 0 || size_t(index) >= items_.size())
                raise(script::err::InvalidCall);
            return items_[size_t(index)];
        }
        default: raise(script::err::NoSuchMember);
        }
    }

    Ref<script::Enumerator> enumerate() override
    {
        return script::makeRef<script::VectorEnumerator>(items_);
    }

private:
    enum : int32_t { kCount = 1, kItem };
    static constexpr MemberName kMembers[] = {{u"Count", kCount}, {u"Item", kItem}};

    std::u16string typeName_;
    std::vector<Variant> items_;
};

// The groups of a match; a group that took no part in the match is Empty.
DispatchPtr subMatchesOf(std::u16string_view subject, const script::RegExpMatch& match)
{
    std::vector<Variant> items;
    items.reserve(size_t(match.groupCount()));
    for (int group = 1; group <= match.groupCount(); ++group)
        items.push_back(match.matched(group) ? Variant::fromString(match.text(subject, group))
                                             : Variant());
    return script::makeRef<ItemCollection>(u"ISubMatches", std::move(items));
}

class MatchObject final : public Dispatch {
public:
    MatchObject(Subject subject, script::RegExpMatch match)
        : subject_(std::move(subject)), match_(std::move(match))
    {
    }

    int32_t memberId(std::u16string_view name) override { return findMember(kMembers, name); }
    std::u16string memberName(int32_t id) override { return nameOfMember(kMembers, id); }
    std::u16string typeName() override { return u"IMatch2"; }

    Variant invoke(int32_t id, InvokeKind kind, std::span<Variant> args) override
    {
        switch (id) {
        case script::DISPID_VALUE:
        case kValue:
            requireGet(kind, args, 0);
            return Variant::fromString(match_.text(*subject_));
        case kFirstIndex:
            requireGet(kind, args, 0);
            return Variant::fromLong(match_.start());
        case kLength:
            requireGet(kind, args, 0);
            return Variant::fromLong(match_.length());
        case kSubMatches:
            requireGet(kind, args, 0);
            return Variant::fromObject(subMatchesOf(*subject_, match_));
        default: raise(script::err::NoSuchMember);
        }
    }

private:
    enum : int32_t { kValue = 1, kFirstIndex, kLength, kSubMatches };
    static constexpr MemberName kMembers[] = {
        {u"Value", kValue},
        {u"FirstIndex", kFirstIndex},
        {u"Length", kLength},
        {u"SubMatches", kSubMatches},
    };

    Subject subject_;
    script::RegExpMatch match_;
};

class RegExpObject final : public Dispatch {
public:
    int32_t memberId(std::u16string_view name) override { return findMember(kMembers, name); }
    std::u16string memberName(int32_t id) override { return nameOfMember(kMembers, id); }
    std::u16string typeName() override { return u"IRegExp2"; }

    Variant invoke(int32_t id, InvokeKind kind, std::span<Variant> args) override
    {
        switch (id) {
        case kPattern: return property(kind, args, pattern_);
        case kIgnoreCase: return flag(kind, args, flags_.ignoreCase);
        case kGlobal: return flag(kind, args, flags_.global);
        case kMultiline: return flag(kind, args, flags_.multiline);
        case kTest:
            requireGet(kind, args, 1);
            return Variant::fromBool(test(local::toText(args[0])));
        case kExecute:
            requireGet(kind, args, 1);
            return execute(local::toText(args[0]));
        case kReplace:
            requireGet(kind, args, 2);
            return Variant::fromString(replace(local::toText(args[0]), local::toText(args[1])));
        default: raise(script::err::NoSuchMember);
        }
    }

private:
    enum : int32_t { kPattern = 1, kIgnoreCase, kGlobal, kMultiline, kTest, kExecute, kReplace };
    static constexpr MemberName kMembers[] = {
        {u"Pattern", kPattern}, {u"IgnoreCase", kIgnoreCase}, {u"Global", kGlobal},
        {u"Multiline", kMultiline}, {u"Test", kTest},         {u"Execute", kExecute},
        {u"Replace", kReplace},
    };

    Variant property(InvokeKind kind, std::span<Variant> args, std::u16string& value)
    {
        if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
            if (args.size() != 1)
                raise(script::err::WrongArguments);
            value = local::toText(args[0]);
            compiled_.reset();
            return {};
        }
        requireGet(kind, args, 0);
        return Variant::fromString(value);
    }

    Variant flag(InvokeKind kind, std::span<Variant> args, bool& value)
    {
        if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
            if (args.size() != 1)
                raise(script::err::WrongArguments);
            value = local::toBoolean(args[0]);
            compiled_.reset();
            return {};
        }
        requireGet(kind, args, 0);
        return Variant::fromBool(value);
    }

    const script::RegExp& compiled()
    {
        if (!compiled_)
            compiled_ = script::RegExp::compile(pattern_, flags_);
        return *compiled_;
    }

    bool test(const std::u16string& subject)
    {
        script::RegExpMatch match;
        return compiled().exec(subject, 0, match);
    }

    // Calls `each` for the first match, or for every match when Global is set; an empty
    // match moves the search on by one character.
    template <class Each>
    void forEachMatch(std::u16string_view subject, Each each)
    {
        const script::RegExp& re = compiled();
        size_t from = 0;
        script::RegExpMatch match;
        while (from <= subject.size() && re.exec(subject, from, match)) {
            each(match);
            if (!flags_.global)
                break;
            from = match.length() == 0 ? size_t(match.end()) + 1 : size_t(match.end());
        }
    }

    Variant execute(std::u16string subject)
    {
        const Subject shared = std::make_shared<const std::u16string>(std::move(subject));
        std::vector<Variant> matches;
        forEachMatch(*shared, [&](const script::RegExpMatch& match) {
            matches.push_back(Variant::fromObject(script::makeRef<MatchObject>(shared, match)));
        });
        return Variant::fromObject(
            script::makeRef<ItemCollection>(u"IMatchCollection2", std::move(matches)));
    }

    std::u16string replace(const std::u16string& subject, const std::u16string& with)
    {
        std::u16string result;
        size_t copied = 0;
        forEachMatch(subject, [&](const script::RegExpMatch& match) {
            result.append(subject, copied, size_t(match.start()) - copied);
            appendReplacement(result, subject, match, with);
            checkStringLength(result.size());
            copied = size_t(match.end());
        });
        result.append(subject, copied);
        return result;
    }

    // Expands $1..$99, $&, $`, $' and $$ in `with`; other dollars stay literal.
    static void appendReplacement(std::u16string& out, std::u16string_view subject,
                                  const script::RegExpMatch& match, std::u16string_view with)
    {
        const int groups = match.groupCount();
        for (size_t i = 0; i < with.size(); ++i) {
            const char16_t c = with[i];
            if (c != u'$' || i + 1 == with.size()) {
                out.push_back(c);
                continue;
            }
            const char16_t next = with[i + 1];
            if (next == u'$') {
                out.push_back(u'$');
                ++i;
            } else if (next == u'&') {
                out.append(match.text(subject));
                ++i;
            } else if (next == u'`') {
                out.append(subject.substr(0, size_t(match.start())));
                ++i;
            } else if (next == u'\'') {
                out.append(subject.substr(size_t(match.end())));
                ++i;
            } else if (next >= u'0' && next <= u'9') {
                int group = next - u'0';
                size_t used = 1;
                if (i + 2 < with.size() && with[i + 2] >= u'0' && with[i + 2] <= u'9') {
                    const int two = group * 10 + (with[i + 2] - u'0');
                    if (two >= 1 && two <= groups) {
                        group = two;
                        used = 2;
                    }
                }
                if (group >= 1 && group <= groups) {
                    out.append(match.text(subject, group));
                    i += used;
                } else {
                    out.push_back(c);
                }
            } else {
                out.push_back(c);
            }
        }
    }

    std::u16string pattern_;
    script::RegExpFlags flags_;
    std::shared_ptr<const script::RegExp> compiled_;
};

} // namespace

DispatchPtr createRegExpObject()
{
    return script::makeRef<RegExpObject>();
}

} // namespace quillo::vbscript::library
