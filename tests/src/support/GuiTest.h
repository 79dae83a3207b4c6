#pragma once
// Base fixture of the GUI tests: scripted dialogs, and a failure when answers that the
// test queued were never asked for.

#include "tests/src/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace quillo {

class GuiTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(dialogs.pendingAnswers(), 0u) << "a dialog the test expected was not shown";
    }

    ScriptedDialogs dialogs;
};

} // namespace quillo
