// rollbox1's scene on bare wayland-client, xdg-shell and EGL, with no toolkit
// at all: the floor the side-by-side benchmark measures rollbox1 against on
// Wayland. One toplevel of 600 x 500, one animation step a frame, a swap that
// waits for no frame callback (as rollbox1's), events taken only when some
// have arrived.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <poll.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <cstdio>
#include <cstring>

#include "demo/demo.h"
#include "platform/gl.h"
#include "xdg-shell-client-protocol.h"

static constexpr int WIDTH = 600;
static constexpr int HEIGHT = 500;

struct Bare {
    wl_compositor* compositor;
    xdg_wm_base* wm_base;
    bool configured;
    bool closed;
};
static Bare bare;

static void on_global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::strcmp(interface, wl_compositor_interface.name) == 0)
        bare.compositor =
            static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    if (std::strcmp(interface, xdg_wm_base_interface.name) == 0)
        bare.wm_base = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
}
static void on_global_remove(void*, wl_registry*, uint32_t) { }
static const wl_registry_listener REGISTRY_LISTENER = {
    .global = on_global, .global_remove = on_global_remove};

static void on_ping(void*, xdg_wm_base* wm_base, uint32_t serial)
{
    xdg_wm_base_pong(wm_base, serial);
}
static const xdg_wm_base_listener WM_BASE_LISTENER = {.ping = on_ping};

static void on_surface_configure(void*, xdg_surface* surface, uint32_t serial)
{
    xdg_surface_ack_configure(surface, serial);
    bare.configured = true;
}
static const xdg_surface_listener SURFACE_LISTENER = {.configure = on_surface_configure};

static void on_toplevel_configure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) { }
static void on_toplevel_close(void*, xdg_toplevel*)
{
    bare.closed = true;
}
static void on_toplevel_bounds(void*, xdg_toplevel*, int32_t, int32_t) { }
static void on_toplevel_capabilities(void*, xdg_toplevel*, wl_array*) { }
static const xdg_toplevel_listener TOPLEVEL_LISTENER = {
    .configure = on_toplevel_configure,
    .close = on_toplevel_close,
    .configure_bounds = on_toplevel_bounds,
    .wm_capabilities = on_toplevel_capabilities,
};

// What has arrived, without waiting; false once the connection is gone.
static bool take_events(wl_display* display)
{
    while (wl_display_prepare_read(display) != 0)
        if (wl_display_dispatch_pending(display) < 0) return false;
    wl_display_flush(display);
    pollfd descriptor = {wl_display_get_fd(display), POLLIN, 0};
    if (poll(&descriptor, 1, 0) > 0) {
        if (wl_display_read_events(display) < 0) return false;
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) >= 0;
}

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "bare_wayland_scene: no Wayland compositor\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &REGISTRY_LISTENER, nullptr);
    wl_display_roundtrip(display);
    if (!bare.compositor || !bare.wm_base) {
        std::fprintf(stderr, "bare_wayland_scene: the compositor offers no xdg-shell\n");
        return 1;
    }
    xdg_wm_base_add_listener(bare.wm_base, &WM_BASE_LISTENER, nullptr);
    wl_surface* surface = wl_compositor_create_surface(bare.compositor);
    xdg_surface* xdg = xdg_wm_base_get_xdg_surface(bare.wm_base, surface);
    xdg_surface_add_listener(xdg, &SURFACE_LISTENER, nullptr);
    xdg_toplevel* toplevel = xdg_surface_get_toplevel(xdg);
    xdg_toplevel_add_listener(toplevel, &TOPLEVEL_LISTENER, nullptr);
    xdg_toplevel_set_title(toplevel, "bare scene");
    xdg_toplevel_set_app_id(toplevel, "bare_wayland_scene");
    wl_surface_commit(surface);
    while (!bare.configured && wl_display_dispatch(display) >= 0) { }

    EGLDisplay egl = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display, nullptr);
    eglInitialize(egl, nullptr, nullptr);
    eglBindAPI(EGL_OPENGL_API);
    // Without alpha, as rollbox1's format: a surface with alpha is blended
    // by the compositor, which costs it more for every frame.
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    eglChooseConfig(egl, wanted, configs, 64, &count);
    EGLConfig config = nullptr;
    for (EGLint i = 0; i < count && config == nullptr; i++) {
        EGLint alpha = 0;
        eglGetConfigAttrib(egl, configs[i], EGL_ALPHA_SIZE, &alpha);
        if (alpha == 0) config = configs[i];
    }
    if (config == nullptr) {
        std::fprintf(stderr, "bare_wayland_scene: no EGL configuration for desktop OpenGL without alpha\n");
        return 1;
    }
    wl_egl_window* window = wl_egl_window_create(surface, WIDTH, HEIGHT);
    EGLSurface egl_surface = eglCreatePlatformWindowSurface(egl, config, window, nullptr);
    EGLContext context = eglCreateContext(egl, config, EGL_NO_CONTEXT, nullptr);
    eglMakeCurrent(egl, egl_surface, egl_surface, context);
    eglSwapInterval(egl, 0);

    load_image_bank();
    set_fixed_render_state();
    set_texture_sampling();
    reshape_view(WIDTH, HEIGHT);
    while (!bare.closed && take_events(display)) {
        render_frame();
        eglSwapBuffers(egl, egl_surface);
    }
    eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(egl, context);
    eglDestroySurface(egl, egl_surface);
    wl_egl_window_destroy(window);
    eglTerminate(egl);
    xdg_toplevel_destroy(toplevel);
    xdg_surface_destroy(xdg);
    wl_surface_destroy(surface);
    wl_display_disconnect(display);
    return 0;
}
