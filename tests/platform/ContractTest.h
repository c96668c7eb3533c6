#pragma once

#include "platform/ContractBackend.h"

#include <gtest/gtest.h>

// Base fixture of the contract tests: a fresh backend state for every test. Behaviour that only the
// simulated PC can show is tested in tests/platform/sim, never here; a contract test that Wine cannot
// answer fully checks only that the call path succeeds or fails cleanly, and says so in its name
// ("...CallPathOnly").
class ContractTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::Platform& machine() { return backend().platform(); }
};

// Provided by each backend's test program.
void resetBackend();
void releaseBackend();
