#include "scripting/core/RegExp.h"

#include "scripting/core/RegExpTranslator.h"
#include "scripting/core/ScriptError.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <mutex>
#include <unordered_map>

namespace quillo::script {

namespace {

// Work and memory bounds for one exec. The match limit stops exponential backtracking
// within a fraction of a second; the depth, heap and JIT stack limits stop patterns whose
// backtracking state grows with the subject (a repeated group over megabytes of text).
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 1'000'000;
constexpr uint32_t kHeapLimitKiB = 64 * 1024;
constexpr size_t kJitStackStart = 32 * 1024;
constexpr size_t kJitStackMax = 8 * 1024 * 1024;
constexpr size_t kCacheCapacity = 256;

constexpr int kOutOfStackSpace = 28;
constexpr int kSyntaxError = 5017;

PCRE2_SPTR units(std::u16string_view text)
{
    static const char16_t empty = 0;
    return reinterpret_cast<PCRE2_SPTR>(text.empty() ? &empty : text.data());
}

// The match context (limits and JIT stack) every exec on this thread uses.
class MatchResources {
public:
    MatchResources()
        : context_(pcre2_match_context_create(nullptr)),
          jitStack_(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr))
    {
        pcre2_set_match_limit(context_, kMatchLimit);
        pcre2_set_depth_limit(context_, kDepthLimit);
        pcre2_set_heap_limit(context_, kHeapLimitKiB);
        if (jitStack_)
            pcre2_jit_stack_assign(context_, nullptr, jitStack_);
    }
    ~MatchResources()
    {
        pcre2_jit_stack_free(jitStack_);
        pcre2_match_context_free(context_);
    }
    MatchResources(const MatchResources&) = delete;
    MatchResources& operator=(const MatchResources&) = delete;

    pcre2_match_context* context() const { return context_; }

    static MatchResources& forThisThread()
    {
        thread_local MatchResources resources;
        return resources;
    }

private:
    pcre2_match_context* context_;
    pcre2_jit_stack* jitStack_;
};

// One match data block per thread, grown to the most groups asked for: exec runs no
// script while it matches, so it is never in use twice at once.
class MatchData {
public:
    ~MatchData() { pcre2_match_data_free(data_); }

    static pcre2_match_data* forPairs(uint32_t pairs)
    {
        thread_local MatchData block;
        if (pairs > block.pairs_) {
            pcre2_match_data* grown = pcre2_match_data_create(pairs, nullptr);
            if (!grown)
                throw ScriptError::runtime(7);
            pcre2_match_data_free(block.data_);
            block.data_ = grown;
            block.pairs_ = pairs;
        }
        return block.data_;
    }

private:
    pcre2_match_data* data_ = nullptr;
    uint32_t pairs_ = 0;
};

// Compiled patterns by source and flags. A full cache is emptied rather than trimmed:
// scripts use few distinct patterns, and handles keep patterns in use alive.
class PatternCache {
public:
    std::shared_ptr<const RegExp> find(const std::u16string& key)
    {
        std::lock_guard lock(mutex_);
        auto it = map_.find(key);
        return it == map_.end() ? nullptr : it->second;
    }
    void insert(std::u16string key, std::shared_ptr<const RegExp> re)
    {
        std::lock_guard lock(mutex_);
        if (map_.size() >= kCacheCapacity)
            map_.clear();
        map_.emplace(std::move(key), std::move(re));
    }
    void clear()
    {
        std::lock_guard lock(mutex_);
        map_.clear();
    }
    static PatternCache& instance()
    {
        static PatternCache cache;
        return cache;
    }

private:
    std::mutex mutex_;
    std::unordered_map<std::u16string, std::shared_ptr<const RegExp>> map_;
};

std::u16string cacheKey(std::u16string_view pattern, RegExpFlags flags)
{
    std::u16string key(pattern);
    key += char16_t(u'0' + (flags.global ? 1 : 0) + (flags.ignoreCase ? 2 : 0) + (flags.multiline ? 4 : 0));
    return key;
}

} // namespace

struct RegExp::Code {
    pcre2_code* code = nullptr;
    uint32_t pairs = 1; // ovector pairs a match fills: the whole match and every capture
    bool jit = false;   // compiled to machine code: matched through the JIT's direct entry
    ~Code() { pcre2_code_free(code); }
};

RegExp::RegExp(std::u16string source, RegExpFlags flags)
    : source_(std::move(source)), flags_(flags), code_(std::make_unique<Code>())
{
    regexp::Translation translation = regexp::translate(source_, flags.multiline, flags.ignoreCase);
    groupCount_ = translation.groupCount;

    uint32_t options = PCRE2_DOLLAR_ENDONLY | PCRE2_MATCH_UNSET_BACKREF;
    if (flags.ignoreCase)
        options |= PCRE2_CASELESS | PCRE2_UCP; // UCP: case folding beyond ASCII
    int error = 0;
    PCRE2_SIZE offset = 0;
    code_->code = pcre2_compile(units(translation.pcre), translation.pcre.size(), options, &error, &offset, nullptr);
    // The translation is well formed; what PCRE2 still rejects is beyond its limits
    // (too deep nesting, a huge repeat count, a lookbehind it cannot bound).
    if (!code_->code)
        throw ScriptError::runtime(kSyntaxError);
    code_->jit = pcre2_jit_compile(code_->code, PCRE2_JIT_COMPLETE) == 0; // else interpreted
    uint32_t captures = 0;
    if (pcre2_pattern_info(code_->code, PCRE2_INFO_CAPTURECOUNT, &captures) == 0)
        code_->pairs = captures + 1;
}

RegExp::~RegExp() = default;

std::shared_ptr<const RegExp> RegExp::compile(std::u16string_view pattern, RegExpFlags flags)
{
    std::u16string key = cacheKey(pattern, flags);
    PatternCache& cache = PatternCache::instance();
    if (auto found = cache.find(key))
        return found;
    std::shared_ptr<const RegExp> re(new RegExp(std::u16string(pattern), flags));
    cache.insert(std::move(key), re);
    return re;
}

void RegExp::clearCache()
{
    PatternCache::instance().clear();
}

bool RegExp::exec(std::u16string_view subject, size_t start, RegExpMatch& match) const
{
    if (start > subject.size())
        return false;
    pcre2_match_data* data = MatchData::forPairs(code_->pairs);
    pcre2_match_context* context = MatchResources::forThisThread().context();
    int rc = code_->jit ? pcre2_jit_match(code_->code, units(subject), subject.size(), start, 0, data, context)
                        : pcre2_match(code_->code, units(subject), subject.size(), start, 0, data, context);
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT) // the interpreter keeps its state on the heap instead
        rc = pcre2_match(code_->code, units(subject), subject.size(), start, PCRE2_NO_JIT, data, context);
    if (rc == PCRE2_ERROR_NOMATCH)
        return false;
    if (rc < 0)
        throw ScriptError::runtime(kOutOfStackSpace);

    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
    size_t pairs = size_t(groupCount_) + 1;
    match.spans_.assign(pairs * 2, -1);
    // Pairs from rc on did not take part (the block may hold stale ones past them).
    for (size_t k = 0; k < pairs && k < size_t(rc); ++k) {
        if (ovector[2 * k] == PCRE2_UNSET)
            continue;
        match.spans_[2 * k] = int(ovector[2 * k]);
        match.spans_[2 * k + 1] = int(ovector[2 * k + 1]);
    }
    return true;
}

} // namespace quillo::script
