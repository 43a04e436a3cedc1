// Fixed local memory for the palette descriptions handed to CreatePalette.
#include "palette/palette.h"

HLOCAL alloc_local_block(SIZE_T size)
{
    return LocalAlloc(LMEM_FIXED, size);
}

HLOCAL alloc_zeroed_local_block(SIZE_T size)
{
    return LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, size);
}

void free_local_block(HLOCAL block)
{
    if (block != nullptr) LocalFree(block);
}
