// Binding tables and dispatch: every matching row in binding order, exact codes
// and button bits, and the refusals that keep the tables in bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binding/binding.h"

static std::vector<std::string> calls;

static void key_a() { calls.push_back("a"); }
static void key_b() { calls.push_back("b"); }
static void key_binds_more() { calls.push_back("binder"); bind_key('x', key_b); }

static std::string describe(const char* name, const EventRecord* event)
{
    return std::string(name) + " kind " + std::to_string(event->kind) + " at " + std::to_string(event->data[0]) +
           "," + std::to_string(event->data[1]) + " bit " + std::to_string(event->data[3]);
}
static void mouse_a(EventRecord* event) { calls.push_back(describe("A", event)); }
static void mouse_b(EventRecord* event) { calls.push_back(describe("B", event)); }

TEST(KeyDispatch, EveryMatchingRowRunsInBindingOrder)
{
    EXPECT_EQ(dispatch_key('x', 0), 0);  // empty table
    bind_key('x', key_a);
    bind_key('y', key_b);
    bind_key('x', key_b);
    EXPECT_EQ(dispatch_key('x', KEY_SHIFT | KEY_CONTROL), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "b"}));
    calls.clear();
    EXPECT_EQ(dispatch_key('z', 0), 0);
    EXPECT_TRUE(calls.empty());
}

TEST(KeyDispatch, UpperAndLowerCaseAreDifferentCodes)
{
    bind_key('d', key_a);
    EXPECT_EQ(dispatch_key('D', KEY_SHIFT), 0);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(dispatch_key('d', 0), 1);
}

TEST(KeyDispatch, RowBoundDuringDispatchIsVisitedInTheSameDispatch)
{
    bind_key('x', key_binds_more);
    EXPECT_EQ(dispatch_key('x', 0), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"binder", "b"}));
}

TEST(BindingTables, FullTablesRefuseFurtherRows)
{
    for (int i = 0; i < KEY_TABLE_CAPACITY; i++) {
        bind_key(1000 + i, key_a);
    }
    bind_key('q', key_b);
    EXPECT_EQ(key_table_count, KEY_TABLE_CAPACITY);
    EXPECT_EQ(dispatch_key('q', 0), 0);

    for (int i = 0; i < MOUSE_TABLE_CAPACITY; i++) {
        bind_mouse(MOUSE_MIDDLE, MOUSE_DOWN, mouse_a);
    }
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, mouse_b);
    EXPECT_EQ(mouse_down_table_count, MOUSE_TABLE_CAPACITY);
    EXPECT_EQ(mouse_up_table_count, 0);
    EXPECT_EQ(dispatch_mouse_down(0, 0, MOUSE_LEFT), 0);
}

TEST(BindingTables, MaskZeroAndUnknownKindsAreRefused)
{
    bind_mouse(0, MOUSE_MOVE, mouse_a);
    bind_mouse(MOUSE_LEFT, 8, mouse_a);
    EXPECT_EQ(mouse_down_table_count + mouse_up_table_count + mouse_move_table_count, 0);
    EXPECT_EQ(dispatch_mouse_move(1, 2, 0), 0);
}

TEST(MouseDispatch, PressCallsOnlyTheRowOfItsButton)
{
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, mouse_a);
    bind_mouse(MOUSE_RIGHT, MOUSE_DOWN, mouse_b);
    EXPECT_EQ(dispatch_mouse_down(-7, 12, MOUSE_RIGHT), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"B kind 16 at -7,12 bit 2"}));
}

TEST(MouseDispatch, MotionVisitsRowsInBindingOrderOncePerHeldBit)
{
    bind_mouse(MOUSE_RIGHT, MOUSE_MOVE, mouse_b);
    bind_mouse(MOUSE_LEFT, MOUSE_MOVE, mouse_a);
    EXPECT_EQ(dispatch_mouse_move(3, 4, MOUSE_LEFT | MOUSE_RIGHT), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"B kind 64 at 3,4 bit 2", "A kind 64 at 3,4 bit 1"}));
    calls.clear();
    EXPECT_EQ(dispatch_mouse_move(3, 4, 0), 0);  // nothing held
    EXPECT_TRUE(calls.empty());
}

TEST(MouseDispatch, MaskOfSeveralBitsNeverMatches)
{
    bind_mouse(MOUSE_LEFT | MOUSE_RIGHT, MOUSE_UP, mouse_a);
    EXPECT_EQ(dispatch_mouse_up(0, 0, MOUSE_LEFT), 0);
    EXPECT_EQ(dispatch_mouse_up(0, 0, MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE), 0);
    EXPECT_TRUE(calls.empty());
}
