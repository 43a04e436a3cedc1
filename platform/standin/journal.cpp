// The journal of platform operations called, and fault injection: both keyed
// by an operation's Win32 name.
#include <cstring>

#include "platform/standin/internal.h"
#include "platform/standin/testing.h"

static const int NAME_SIZE = 32;
static const int JOURNAL_CAPACITY = 8192; // the latest calls; older ones drop out
static const int NAME_CAPACITY = 128;

struct NamedCount {
    char name[NAME_SIZE];
    int count;
};

struct Journal {
    char entries[JOURNAL_CAPACITY][NAME_SIZE]; // a ring: the oldest at `start`
    int start;
    int size;
    NamedCount call_counts[NAME_CAPACITY];
    NamedCount faults[NAME_CAPACITY];
};

static Journal journal;

void reset_journal()
{
    journal = Journal{};
}

static NamedCount* find_name(NamedCount* table, const char* name, bool add)
{
    for (int i = 0; i < NAME_CAPACITY; i++) {
        if (table[i].name[0] == '\0') {
            if (!add) return nullptr;
            std::strncpy(table[i].name, name, NAME_SIZE - 1);
            return &table[i];
        }
        if (std::strncmp(table[i].name, name, NAME_SIZE - 1) == 0) return &table[i];
    }
    return nullptr;
}

bool platform_call(const char* operation)
{
    int slot = (journal.start + journal.size) % JOURNAL_CAPACITY;
    std::strncpy(journal.entries[slot], operation, NAME_SIZE - 1);
    journal.entries[slot][NAME_SIZE - 1] = '\0';
    if (journal.size < JOURNAL_CAPACITY)
        journal.size++;
    else
        journal.start = (journal.start + 1) % JOURNAL_CAPACITY;
    NamedCount* counted = find_name(journal.call_counts, operation, true);
    if (counted != nullptr) counted->count++;

    NamedCount* fault = find_name(journal.faults, operation, false);
    if (fault == nullptr || fault->count <= 0) return true;
    fault->count--;
    return false;
}

void standin_fail_next(const char* operation, int count)
{
    NamedCount* fault = find_name(journal.faults, operation, true);
    if (fault != nullptr) fault->count = count < 0 ? 0 : count;
}

void standin_journal_clear()
{
    journal.start = 0;
    journal.size = 0;
    std::memset(journal.call_counts, 0, sizeof journal.call_counts);
}

int standin_journal_length()
{
    return journal.size;
}

const char* standin_journal_entry(int index)
{
    if (index < 0 || index >= journal.size) return nullptr;
    return journal.entries[(journal.start + index) % JOURNAL_CAPACITY];
}

// Counts every call since the last clear, including those that have dropped
// out of the journal's window.
int standin_journal_count(const char* operation)
{
    NamedCount* counted = find_name(journal.call_counts, operation, false);
    return counted == nullptr ? 0 : counted->count;
}
