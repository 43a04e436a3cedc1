// The four binding tables. Rows are only ever appended; a full table refuses
// further rows, and a mouse row must name at least one button.
#include "binding/binding.h"

KeyBinding key_table[KEY_TABLE_CAPACITY];
int32_t key_table_count = 0;
MouseBinding mouse_down_table[MOUSE_TABLE_CAPACITY];
int32_t mouse_down_table_count = 0;
MouseBinding mouse_up_table[MOUSE_TABLE_CAPACITY];
int32_t mouse_up_table_count = 0;
MouseBinding mouse_move_table[MOUSE_TABLE_CAPACITY];
int32_t mouse_move_table_count = 0;

void bind_key(int32_t key, KeyHandler handler)
{
    if (key_table_count >= KEY_TABLE_CAPACITY) {
        return;
    }
    key_table[key_table_count] = KeyBinding{key, handler};
    key_table_count++;
}

// Mask 0 would equal every clear bit of an event and fire up to three times.
void bind_mouse(int32_t button, int32_t kind, MouseHandler handler)
{
    MouseBinding* table = nullptr;
    int32_t* count = nullptr;
    switch (kind) {
    case MOUSE_DOWN:
        table = mouse_down_table;
        count = &mouse_down_table_count;
        break;
    case MOUSE_UP:
        table = mouse_up_table;
        count = &mouse_up_table_count;
        break;
    case MOUSE_MOVE:
        table = mouse_move_table;
        count = &mouse_move_table_count;
        break;
    default:
        return;
    }
    if (button == 0 || *count >= MOUSE_TABLE_CAPACITY) {
        return;
    }
    table[*count] = MouseBinding{button, handler};
    (*count)++;
}
