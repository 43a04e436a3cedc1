// The dispatchers installed in the toolkit's key and mouse hooks: every matching
// row is called, in binding order. The count is read again after each row, so a
// row bound by a handler is visited in the same dispatch.
#include "binding/binding.h"

int32_t dispatch_key(int32_t key, int32_t modifiers)
{
    (void)modifiers; // a row answers to its code whatever the modifiers
    int32_t result = 0;
    for (int32_t i = 0; i < key_table_count; i++) {
        if (key_table[i].key == key) {
            key_table[i].handler();
            result = 1;
        }
    }
    return result;
}

static void call_handler(const MouseBinding* row, int32_t kind, int32_t x, int32_t y, int32_t bit)
{
    EventRecord record;
    record.kind = kind;
    record.data[0] = x;
    record.data[1] = y;
    record.data[2] = 0;
    record.data[3] = bit;
    row->handler(&record);
}

// A row matches each of the event's bits equal to its mask, in the order 1, 2, 4.
static int32_t dispatch_mouse(
    const MouseBinding* table, const int32_t* count, int32_t kind, int32_t x, int32_t y, int32_t buttons)
{
    static const int32_t BITS[3] = {MOUSE_LEFT, MOUSE_RIGHT, MOUSE_MIDDLE};
    int32_t held[3] = {buttons & MOUSE_LEFT, buttons & MOUSE_RIGHT, buttons & MOUSE_MIDDLE};
    int32_t result = 0;
    for (int32_t i = 0; i < *count; i++) {
        for (int bit = 0; bit < 3; bit++) {
            if (held[bit] == table[i].button) {
                call_handler(&table[i], kind, x, y, BITS[bit]);
                result = 1;
            }
        }
    }
    return result;
}

int32_t dispatch_mouse_down(int32_t x, int32_t y, int32_t buttons)
{
    return dispatch_mouse(mouse_down_table, &mouse_down_table_count, MOUSE_DOWN, x, y, buttons);
}

int32_t dispatch_mouse_up(int32_t x, int32_t y, int32_t buttons)
{
    return dispatch_mouse(mouse_up_table, &mouse_up_table_count, MOUSE_UP, x, y, buttons);
}

int32_t dispatch_mouse_move(int32_t x, int32_t y, int32_t buttons)
{
    return dispatch_mouse(mouse_move_table, &mouse_move_table_count, MOUSE_MOVE, x, y, buttons);
}
