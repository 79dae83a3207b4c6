// Property storage: the map keeps insertion order and finds every key through the
// inline, spilled and indexed stages, the cell pool never hands out overlapping
// memory across blocks, chunks and size classes, and array elements in payload
// memory keep their contents through growth, shrinking and reuse.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "scripting/jscript/CellPool.h"
#include "scripting/jscript/Object.h"
#include "scripting/jscript/Payload.h"

namespace quillo::jscript::test {
namespace {

class PropertyMapModel : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 64; ++i) keys_.push_back(std::make_unique<JsString>(u"k" + std::u16string(1, char16_t(u'0' + i))));
    }
    JsString* key(int i) { return keys_[i].get(); }
    // The map holds exactly the model's keys, in its order, each with value = its id.
    void expectSame(const std::vector<int>& model, const std::string& step) {
        ASSERT_EQ(map_.size(), model.size()) << step;
        for (size_t i = 0; i < model.size(); ++i) {
            EXPECT_EQ(map_.at(i).key, key(model[i])) << step << " at " << i;
            EXPECT_EQ(map_.at(i).value.num, model[i]) << step;
        }
        for (int k = 0; k < 64; ++k) {
            auto it = std::find(model.begin(), model.end(), k);
            int expected = it == model.end() ? -1 : static_cast<int>(it - model.begin());
            EXPECT_EQ(map_.find(key(k)), expected) << step << " key " << k;
        }
    }
    void add(std::vector<int>& model, int k) {
        map_.add(key(k), Value::number(k), 0);
        model.push_back(k);
    }
    void remove(std::vector<int>& model, int k) {
        int at = map_.find(key(k));
        ASSERT_GE(at, 0);
        map_.remove(at);
        model.erase(std::find(model.begin(), model.end(), k));
    }

    std::vector<std::unique_ptr<JsString>> keys_;
    PropertyMap map_;
};

TEST_F(PropertyMapModel, GrowsThroughEveryStageAndShrinksBack) {
    std::vector<int> model;
    // Sizes 1..40 cross the inline limit, the first spill and several index rebuilds.
    for (int k = 0; k < 40; ++k) {
        add(model, k);
        expectSame(model, "add " + std::to_string(k));
    }
    // Removing from the front, the middle and the end, down past the index threshold.
    const int removals[] = {0, 39, 20, 1, 38, 21, 2, 37, 22, 3, 36, 23, 4, 35, 24, 5, 34, 25, 6, 33, 26, 7, 32, 27, 8, 31, 28, 9, 30, 29, 10, 19};
    for (int k : removals) {
        remove(model, k);
        expectSame(model, "remove " + std::to_string(k));
    }
    // Adding again after shrinking, including keys removed before.
    for (int k : {0, 39, 50, 51, 52, 53, 54, 55, 56, 57}) {
        add(model, k);
        expectSame(model, "re-add " + std::to_string(k));
    }
    map_.clear();
    model.clear();
    expectSame(model, "clear");
    for (int k : {5, 6, 7}) add(model, k);
    expectSame(model, "after clear");
}

TEST_F(PropertyMapModel, ReserveKeepsContentsAndOrder) {
    std::vector<int> model;
    add(model, 3);
    add(model, 1);
    map_.reserve(20);
    expectSame(model, "reserve");
    for (int k = 10; k < 30; ++k) add(model, k);
    expectSame(model, "after reserve");
}

#if !defined(QUILLO_JS_PLAIN_CELLS)
TEST(CellPool, CellsOfAllClassesNeverOverlapAcrossChunks) {
    CellPool pool;
    struct Span {
        uintptr_t start, end;
    };
    std::vector<Span> spans;
    // Interleaved classes, well past one 2 MiB chunk in total.
    for (int round = 0; round < 4000; ++round) {
        for (size_t bytes : {16u, 48u, 96u, 128u, 200u, 256u, 320u, 700u, 1024u}) {
            uint8_t cls = CellPool::classOf(bytes);
            auto* p = static_cast<char*>(pool.allocate(bytes, cls));
            p[0] = 1;
            p[bytes - 1] = 1;
            spans.push_back({reinterpret_cast<uintptr_t>(p), reinterpret_cast<uintptr_t>(p) + bytes});
        }
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    for (size_t i = 1; i < spans.size(); ++i) ASSERT_LE(spans[i - 1].end, spans[i].start) << i;
}
#endif

// Each step applied to a ValueVector and to a plain vector; contents must agree. The
// sizes cross the fine and coarse classes and the plain-allocation limit.
TEST(ValueVector, FollowsAPlainVectorThroughGrowthAndReuse) {
    struct Step {
        const char* what;
        void (*apply)(ValueVector&, std::vector<Value>&, int);
    };
    const Step steps[] = {
        {"push", [](ValueVector& v, std::vector<Value>& m, int n) { for (int i = 0; i < n; ++i) { v.push_back(Value::number(i)); m.push_back(Value::number(i)); } }},
        {"resize", [](ValueVector& v, std::vector<Value>& m, int n) { v.resize(n * 3, Value::hole()); m.resize(n * 3, Value::hole()); }},
        {"insert front", [](ValueVector& v, std::vector<Value>& m, int n) { v.insert(v.begin(), Value::number(-n)); m.insert(m.begin(), Value::number(-n)); }},
        {"erase front", [](ValueVector& v, std::vector<Value>& m, int) { v.erase(v.begin()); m.erase(m.begin()); }},
        {"shrink", [](ValueVector& v, std::vector<Value>& m, int n) { v.resize(n / 2); m.resize(n / 2); v.shrink_to_fit(); }},
        {"assign plain", [](ValueVector& v, std::vector<Value>& m, int n) { m.assign(n + 1, Value::number(n)); v = m; }},
    };
    for (int n : {1, 3, 15, 16, 17, 40, 64, 65, 300}) {
        ValueVector v;
        std::vector<Value> model;
        for (const Step& s : steps) {
            s.apply(v, model, n);
            ASSERT_EQ(v.size(), model.size()) << s.what << " n=" << n;
            for (size_t i = 0; i < model.size(); ++i) {
                ASSERT_EQ(v[i].tag, model[i].tag) << s.what << " n=" << n << " at " << i;
                if (model[i].isNumber()) {
                    ASSERT_EQ(v[i].num, model[i].num) << s.what << " n=" << n << " at " << i;
                }
            }
        }
    }
}

#if !defined(QUILLO_JS_PLAIN_CELLS)
TEST(Payload, ReleasedBlocksAreReusedBySize) {
    struct Row {
        size_t bytes;
    };
    const Row rows[] = {{8}, {48}, {192}, {256}, {300}, {448}, {960}, {1024}, {4000}};
    for (const Row& r : rows) {
        void* a = payload::allocate(r.bytes);
        void* b = payload::allocate(r.bytes);
        ASSERT_NE(a, b) << r.bytes;
        std::memset(a, 1, r.bytes);
        std::memset(b, 2, r.bytes);
        EXPECT_EQ(static_cast<unsigned char*>(a)[r.bytes - 1], 1) << r.bytes;  // no overlap
        payload::release(a, r.bytes);
        void* c = payload::allocate(r.bytes);
        if (r.bytes <= CellPool::kLimit) {
            EXPECT_EQ(c, a) << r.bytes;  // the freed block comes back first
        }
        payload::release(b, r.bytes);
        payload::release(c, r.bytes);
    }
}
#endif

}  // namespace
}  // namespace quillo::jscript::test
