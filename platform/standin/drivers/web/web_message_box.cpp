// Message boxes as the page's modal dialogs: caption, text and OK. The
// stand-in keeps dispatching while one is open; the program waits meanwhile
// (web_wait_events gives the page its turn, and OK wakes it).
#include "platform/standin/drivers/web/web_driver.h"

static WebMessageBox* box_record(DriverMessageBox* box)
{
    return reinterpret_cast<WebMessageBox*>(box);
}

DriverMessageBox* web_open_message_box(DriverWindow*, const char* text, const char* caption)
{
    WebMessageBox* box = free_slot(web.boxes);
    if (box == nullptr) return nullptr;
    *box = WebMessageBox{true, web_page_open_box(text, caption)};
    return reinterpret_cast<DriverMessageBox*>(box);
}

bool web_message_box_is_open(DriverMessageBox* box)
{
    return web_page_box_is_open(box_record(box)->page_box) != 0;
}

void web_close_message_box(DriverMessageBox* box)
{
    WebMessageBox* record = box_record(box);
    if (record == nullptr || !record->in_use) return;
    web_page_close_box(record->page_box);
    *record = WebMessageBox{};
}

void web_close_all_message_boxes()
{
    for (WebMessageBox& box : web.boxes)
        if (box.in_use) web_close_message_box(reinterpret_cast<DriverMessageBox*>(&box));
}

// A window with a box open takes no new input, as a disabled owner on Windows.
bool web_has_open_message_box()
{
    for (const WebMessageBox& box : web.boxes)
        if (box.in_use && web_page_box_is_open(box.page_box) != 0) return true;
    return false;
}
