// The stand-in's fault injection and journal, checked over a table of
// operations: each entry makes its call where it would succeed and says
// whether it failed.
#pragma once

#include <gtest/gtest.h>

#include <span>

#include "platform/standin/testing.h"

struct Operation {
    const char* name;
    bool (*failed)();
};

// An injected fault fails exactly the next call, with Windows' failure result.
inline void expect_one_injected_failure_each(std::span<const Operation> operations)
{
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.name);
        EXPECT_FALSE(operation.failed()) << "fails without a fault";
        standin_fail_next(operation.name, 1);
        EXPECT_TRUE(operation.failed());
        EXPECT_FALSE(operation.failed()) << "still failing after the injected fault";
    }
}

// Every call is journalled under its Win32 name.
inline void expect_each_journalled(std::span<const Operation> operations)
{
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.name);
        standin_journal_clear();
        operation.failed();
        EXPECT_GE(standin_journal_count(operation.name), 1);
    }
}
