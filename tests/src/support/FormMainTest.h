#pragma once
// Fixture for tests of the real main window, created hidden with the scripted dialogs as
// the program's start-up creates it.

#include "src/app/FormMain.h"
#include "src/platform/MemorySettingsStore.h"
#include "tests/src/support/GuiTest.h"

#include <memory>

namespace quillo {

class FormMainTest : public GuiTest {
protected:
    void SetUp() override { form = std::make_unique<FormMain>(dialogs, settings); }
    void TearDown() override {
        form.reset();
        GuiTest::TearDown();
    }

    // What the window reads at load and writes at unload; empty at first.
    MemorySettingsStore settings;
    std::unique_ptr<FormMain> form;
};

} // namespace quillo
