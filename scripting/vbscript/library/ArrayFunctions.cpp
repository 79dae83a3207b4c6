// Array, LBound/UBound, and the functions between strings and arrays: Split, Join, Filter.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/Functions.h"
#include "scripting/vbscript/library/TextLimits.h"

#include "scripting/core/SafeArray.h"
#include "scripting/core/Text.h"

#include <string>
#include <vector>

namespace quillo::vbscript::library {

namespace script = quillo::script;
using script::SafeArray;

namespace {

Variant arrayOf(std::vector<Variant> items)
{
    return Variant::fromArray(SafeArray::fromVector(std::move(items)).get());
}

// The array an argument holds; 13 when it holds something else.
SafeArray& arrayArg(std::span<Variant> args, size_t i)
{
    const Variant& value = arg(args, i);
    if (!value.isArray() || !value.asArray())
        raise(quillo::script::err::TypeMismatch);
    return *value.asArray();
}

// The one-dimensional array Join and Filter read; 5 for other shapes.
const std::vector<Variant>& listArg(std::span<Variant> args, size_t i)
{
    SafeArray& array = arrayArg(args, i);
    if (array.dims() != 1)
        invalidCall();
    return array.elements();
}

// LBound / UBound: the dimension argument counts from 1.
int dimensionArg(std::span<Variant> args, const SafeArray& array)
{
    const int32_t dim = longArgOr(args, 1, 1);
    if (dim < 1 || dim > array.dims())
        raise(quillo::script::err::SubscriptOutOfRange);
    return dim - 1;
}

} // namespace

QUILLO_VBS_BUILTIN(array)
{
    std::vector<Variant> items;
    items.reserve(args.size());
    for (const Variant& item : args)
        items.push_back(item.deref());
    return arrayOf(std::move(items));
}

QUILLO_VBS_BUILTIN(lBound)
{
    const SafeArray& array = arrayArg(args, 0);
    return Variant::fromLong(array.lbound(dimensionArg(args, array)));
}

QUILLO_VBS_BUILTIN(uBound)
{
    const SafeArray& array = arrayArg(args, 0);
    return Variant::fromLong(array.ubound(dimensionArg(args, array)));
}

// Split(expression[, delimiter[, count[, compare]]]): count -1 splits everywhere; otherwise
// the last of `count` elements holds the rest of the text.
QUILLO_VBS_BUILTIN(split)
{
    const int32_t count = longArgOr(args, 2, -1);
    if (count < -1)
        invalidCall();
    const Compare mode = compareArg(args, 3);
    const SearchTextArg subject(args, 0, mode);
    const std::u16string_view text = subject.original();
    const std::u16string spaceDelimiter = u" ";
    std::u16string foldedDelimiter;
    std::u16string_view needle = spaceDelimiter;
    if (given(args, 1)) {
        foldedDelimiter = textArg(args, 1);
        if (mode == Compare::Text)
            foldedDelimiter = script::toLower(foldedDelimiter);
        needle = foldedDelimiter;
    }

    std::vector<Variant> parts;
    if (text.empty() || count == 0)
        return arrayOf(std::move(parts));
    if (needle.empty()) {
        parts.push_back(Variant::fromString(text));
        return arrayOf(std::move(parts));
    }
    const std::u16string_view haystack = subject.searched();
    size_t from = 0;
    while (count == -1 || int32_t(parts.size()) < count - 1) {
        const size_t at = haystack.find(needle, from);
        if (at == std::u16string_view::npos)
            break;
        parts.push_back(Variant::fromString(text.substr(from, at - from)));
        from = at + needle.size();
    }
    parts.push_back(Variant::fromString(text.substr(from)));
    return arrayOf(std::move(parts));
}

// Join(list[, delimiter]): Null elements join as empty text.
QUILLO_VBS_BUILTIN(join)
{
    const std::vector<Variant>& items = listArg(args, 0);
    const std::u16string delimiter = given(args, 1) ? textArg(args, 1) : std::u16string(u" ");
    std::u16string result;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            result += delimiter;
        result += local::toTextOrEmpty(items[i]);
        checkStringLength(result.size());
    }
    return Variant::fromString(std::move(result));
}

// Filter(list, value[, include[, compare]]): the elements that contain (or, with include
// False, lack) `value`.
QUILLO_VBS_BUILTIN(filter)
{
    const std::vector<Variant>& items = listArg(args, 0);
    const bool include = boolArgOr(args, 2, true);
    const Compare mode = compareArg(args, 3);
    const SearchTextArg value(args, 1, mode);
    const std::u16string_view needle = value.searched();
    std::vector<Variant> kept;
    for (const Variant& item : items) {
        std::u16string text = local::toTextOrEmpty(item);
        const bool found =
            (mode == Compare::Text ? script::toLower(text) : text).find(needle) != std::u16string::npos;
        if (found == include)
            kept.push_back(Variant::fromString(std::move(text)));
    }
    return arrayOf(std::move(kept));
}

} // namespace quillo::vbscript::library
