#pragma once
// Tables of (script, expected text) pairs: QUILLO_EVAL_TABLE(Suite) declares a suite whose
// rows, given with INSTANTIATE_TEST_SUITE_P, each evaluate in a fresh interpreter.

#include <gtest/gtest.h>

#include <ostream>

#include "JsTestSupport.h"

namespace quillo::jscript::test {

struct EvalCase {
    const char* src;
    const char* expected;
};

// Failure reports name the script rather than the row's bytes.
inline void PrintTo(const EvalCase& c, std::ostream* os) { *os << c.src; }

#define QUILLO_EVAL_TABLE(Suite)                                                   \
    class Suite : public ::testing::TestWithParam<EvalCase> {};                    \
    TEST_P(Suite, GivesExpectedText) {                                             \
        EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src; \
    }

}  // namespace quillo::jscript::test
