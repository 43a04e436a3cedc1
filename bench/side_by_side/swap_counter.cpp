// Preloaded into each program the side-by-side benchmark starts: counts the
// frames presented with glXSwapBuffers (X) or eglSwapBuffers (Wayland), and
// notes when the first one came, in a small file the benchmark reads while
// the program runs.
#include <EGL/egl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The file's layout: two little-endian 64-bit numbers.
struct SwapCount {
    int64_t frames;
    int64_t first_swap_ns; // CLOCK_REALTIME, as `date +%s%N` reads it
};

SwapCount* mapped_count()
{
    static SwapCount* count = [] {
        const char* path = std::getenv("ROLLBOX_SWAP_COUNT_FILE");
        int descriptor = path ? open(path, O_RDWR | O_CREAT | O_TRUNC, 0600) : -1;
        if (descriptor < 0 || ftruncate(descriptor, sizeof(SwapCount)) != 0)
            return static_cast<SwapCount*>(nullptr);
        void* memory = mmap(nullptr, sizeof(SwapCount), PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
        close(descriptor);
        return memory == MAP_FAILED ? nullptr : static_cast<SwapCount*>(memory);
    }();
    return count;
}

void note_swap()
{
    SwapCount* count = mapped_count();
    if (count == nullptr) return;
    if (count->frames == 0) {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        count->first_swap_ns = int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
    }
    count->frames++;
}

} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    using Swap = void (*)(Display*, GLXDrawable);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    real(display, drawable);
    note_swap();
}

extern "C" EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    using Swap = EGLBoolean (*)(EGLDisplay, EGLSurface);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "eglSwapBuffers"));
    EGLBoolean swapped = real(display, surface);
    note_swap();
    return swapped;
}
