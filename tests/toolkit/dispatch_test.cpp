// Binding tables and dispatch: every matching row in binding order, exact codes
// and button bits, and the refusals that keep the tables in bounds.
#include "binding/binding.h"
#include "toolkit_testing.h"

static void row(const char* name, const EventRecord* e)
{
    record(name, {e->kind, e->data[0], e->data[1], e->data[3]});
}

TEST(KeyDispatch, EveryMatchingRowInBindingOrderWhateverTheModifiersAndRowsBoundMeanwhile)
{
    EXPECT_EQ(dispatch_key('d', 0), 0);
    bind_key('d', [] {
        record("d1");
        bind_key('d', [] { record("d3"); });
    });
    bind_key('D', [] { record("D"); });
    bind_key('d', [] { record("d2"); });
    EXPECT_EQ(dispatch_key('d', KEY_SHIFT | KEY_CONTROL), 1);
    EXPECT_EQ(calls, (Calls{"d1", "d2", "d3"}));
    calls.clear();
    EXPECT_EQ(dispatch_key('D', 0), 1);
    EXPECT_EQ(calls, (Calls{"D"}));
}

TEST(MouseDispatch, EachRowOncePerHeldBitEqualToItsMaskInBindingOrder)
{
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, [](EventRecord* e) { row("L", e); });
    bind_mouse(MOUSE_RIGHT, MOUSE_DOWN, [](EventRecord* e) { row("R", e); });
    bind_mouse(MOUSE_MIDDLE, MOUSE_UP, [](EventRecord* e) { row("M", e); });
    bind_mouse(MOUSE_RIGHT, MOUSE_MOVE, [](EventRecord* e) { row("R", e); });
    bind_mouse(MOUSE_LEFT, MOUSE_MOVE, [](EventRecord* e) { row("L", e); });
    bind_mouse(MOUSE_LEFT | MOUSE_RIGHT, MOUSE_MOVE, [](EventRecord* e) { row("LR", e); }); // never matches
    EXPECT_EQ(dispatch_mouse_down(-7, 12, MOUSE_RIGHT), 1);
    EXPECT_EQ(dispatch_mouse_up(1, 2, MOUSE_MIDDLE), 1);
    EXPECT_EQ(dispatch_mouse_move(3, 4, MOUSE_LEFT | MOUSE_RIGHT), 1);
    EXPECT_EQ(dispatch_mouse_move(3, 4, 0), 0);
    EXPECT_EQ(calls, (Calls{"R 16 -7 12 2", "M 32 1 2 4", "R 64 3 4 2", "L 64 3 4 1"}));
}

TEST(BindingTables, FullTablesMaskZeroAndUnknownKindsAreRefused)
{
    for (int i = 0; i < KEY_TABLE_CAPACITY; i++) bind_key(1000 + i, [] {});
    bind_key('q', [] { record("q"); });
    for (int i = 0; i < MOUSE_TABLE_CAPACITY; i++) bind_mouse(MOUSE_MIDDLE, MOUSE_DOWN, [](EventRecord*) {});
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, [](EventRecord* e) { row("L", e); });
    bind_mouse(0, MOUSE_MOVE, [](EventRecord* e) { row("0", e); }); // would fire once per clear bit
    bind_mouse(MOUSE_LEFT, 8, [](EventRecord* e) { row("8", e); });
    EXPECT_EQ(dispatch_key('q', 0) + dispatch_mouse_down(0, 0, MOUSE_LEFT) + dispatch_mouse_move(0, 0, 0), 0);
    EXPECT_EQ(dispatch_mouse_up(0, 0, MOUSE_LEFT) + dispatch_mouse_move(0, 0, MOUSE_LEFT), 0);
    EXPECT_TRUE(calls.empty());
}
