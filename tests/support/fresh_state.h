// The base of every test that touches global state: the stand-in, the
// toolkit, the binding tables and the scene back as at process start, with
// the headless driver chosen on first use. Each test then stands alone,
// however its binary is run.
#pragma once

#include <gtest/gtest.h>

void reset_everything();

class FreshState : public testing::Test {
protected:
    void SetUp() override { reset_everything(); }
};
