// The base of every test that touches global state: the stand-in, the
// toolkit, the binding tables and the scene back as at process start, with
// the headless driver chosen on first use. Each test then stands alone,
// however its binary is run.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

void reset_everything();

class FreshState : public testing::Test {
protected:
    void SetUp() override { reset_everything(); }
};

// A table-driven case: each row (a tuple, its first field the row's name)
// given to INSTANTIATE_TEST_SUITE_P is a test of its own, from the reset:
// INSTANTIATE_TEST_SUITE_P(Group, Case, testing::ValuesIn(Case::Rows{...}), ROW_NAME).
template <typename... Fields>
class FreshStateWith : public FreshState,
                       public testing::WithParamInterface<std::tuple<const char*, Fields...>> {
public:
    using Rows = std::vector<std::tuple<const char*, Fields...>>;
};
inline const auto ROW_NAME = [](const auto& row) { return std::string(std::get<0>(row.param)); };
