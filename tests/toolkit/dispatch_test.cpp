// Binding tables and dispatch: every matching row in binding order, exact codes
// and button bits, and the refusals that keep the tables in bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binding/binding.h"

using Calls = std::vector<std::string>;
static Calls calls;

static void key_a()
{
    calls.push_back("a");
}
static void key_b()
{
    calls.push_back("b");
}
static void key_binds_b()
{
    calls.push_back("binder");
    bind_key('x', key_b);
}
static void record(const char* name, const EventRecord* e)
{
    calls.push_back(std::string(name) + std::to_string(e->kind) + " " + std::to_string(e->data[0]) + "," +
        std::to_string(e->data[1]) + " bit" + std::to_string(e->data[3]));
}
static void mouse_a(EventRecord* e)
{
    record("A", e);
}
static void mouse_b(EventRecord* e)
{
    record("B", e);
}

TEST(KeyDispatch, EveryMatchingRowRunsInBindingOrderWhateverTheModifiers)
{
    EXPECT_EQ(dispatch_key('x', 0), 0); // empty table
    bind_key('x', key_a);
    bind_key('y', key_b);
    bind_key('x', key_b);
    EXPECT_EQ(dispatch_key('x', KEY_SHIFT | KEY_CONTROL), 1);
    EXPECT_EQ(calls, (Calls{"a", "b"}));
    EXPECT_EQ(dispatch_key('X', 0), 0); // 'x' and 'X' are different codes
}

TEST(KeyDispatch, RowBoundDuringDispatchIsVisitedInTheSameDispatch)
{
    bind_key('x', key_binds_b);
    EXPECT_EQ(dispatch_key('x', 0), 1);
    EXPECT_EQ(calls, (Calls{"binder", "b"}));
}

TEST(BindingTables, FullTablesMaskZeroAndUnknownKindsAreRefused)
{
    for (int i = 0; i <= KEY_TABLE_CAPACITY; i++) {
        bind_key(i == KEY_TABLE_CAPACITY ? 'q' : 1000 + i, key_a);
    }
    EXPECT_EQ(key_table_count, KEY_TABLE_CAPACITY);
    EXPECT_EQ(dispatch_key('q', 0), 0);
    for (int i = 0; i <= MOUSE_TABLE_CAPACITY; i++) {
        bind_mouse(i == MOUSE_TABLE_CAPACITY ? MOUSE_LEFT : MOUSE_MIDDLE, MOUSE_DOWN, mouse_a);
    }
    EXPECT_EQ(mouse_down_table_count, MOUSE_TABLE_CAPACITY);
    EXPECT_EQ(dispatch_mouse_down(0, 0, MOUSE_LEFT), 0);
    bind_mouse(0, MOUSE_MOVE, mouse_a); // would fire once per clear bit
    bind_mouse(MOUSE_LEFT, 8, mouse_a);
    EXPECT_EQ(mouse_up_table_count + mouse_move_table_count, 0);
}

TEST(MouseDispatch, PressCallsOnlyTheRowOfItsButton)
{
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, mouse_a);
    bind_mouse(MOUSE_RIGHT, MOUSE_DOWN, mouse_b);
    EXPECT_EQ(dispatch_mouse_down(-7, 12, MOUSE_RIGHT), 1);
    EXPECT_EQ(calls, (Calls{"B16 -7,12 bit2"}));
}

TEST(MouseDispatch, MotionVisitsRowsInBindingOrderOncePerHeldBit)
{
    bind_mouse(MOUSE_RIGHT, MOUSE_MOVE, mouse_b);
    bind_mouse(MOUSE_LEFT, MOUSE_MOVE, mouse_a);
    bind_mouse(MOUSE_LEFT | MOUSE_RIGHT, MOUSE_MOVE, mouse_a); // several bits never match
    EXPECT_EQ(dispatch_mouse_move(3, 4, MOUSE_LEFT | MOUSE_RIGHT), 1);
    EXPECT_EQ(calls, (Calls{"B64 3,4 bit2", "A64 3,4 bit1"}));
    EXPECT_EQ(dispatch_mouse_move(3, 4, 0), 0);
}
