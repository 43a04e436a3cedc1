// The demonstration: the image bank, the picture on the cube, the scene state
// with its animation, the controls and the start-up.
#pragma once

#include <cstdint>

// Image bank: ten 512 x 512 pictures, 3 bytes a pixel (red, green, blue), rows
// in file order.
enum : int32_t { IMAGE_SLOT_COUNT = 10, IMAGE_SIDE = 512, IMAGE_SLOT_BYTES = IMAGE_SIDE * IMAGE_SIDE * 3 };

struct ImageSlot {
    unsigned char bytes[IMAGE_SLOT_BYTES];
};

struct ImageBank {
    ImageSlot slots[IMAGE_SLOT_COUNT];
    int32_t last_loaded_index; // last slot filled from a file, -1 for none
};

extern ImageBank image_bank;

void load_image_bank();

// The picture on the cube: the context's default 2-D texture.
void set_texture_sampling();
void upload_slot_texture(int32_t slot);
void switch_picture();

// The controls' steps and limits, as the README's controls table gives them.
// The camera's distance: at the start and after a reset, and its farthest.
constexpr float HOME_DISTANCE = 4.0f;
constexpr float FARTHEST_DISTANCE = 80.0f;
// d and u: the camera's step, and the nearest the keys bring it.
constexpr float DISTANCE_KEY_STEP = 0.8f;
constexpr float NEAREST_KEY_DISTANCE = 2.7f;
// The arrows: degrees a press turns the view.
constexpr float VIEW_KEY_STEP = 2.0f;
// f and s: the speed's step and the slowest speed; the speed at the start and
// after a reset.
constexpr float SPEED_STEP = 0.1f;
constexpr float SLOWEST_SPEED = 0.1f;
constexpr float HOME_SPEED = 1.0f;
// Drags, per pixel the pointer moves: degrees the view turns, distance the
// camera moves; and the nearest a drag brings the camera.
constexpr float ROTATE_DRAG_STEP = 0.5f;
constexpr float ZOOM_DRAG_STEP = 0.3f;
constexpr float NEAREST_DRAG_DISTANCE = 2.5f;

// The animation, angles in degrees: a frame's turn or tilt at speed 1 (the
// step is formed in double) and its drift along z.
constexpr float FULL_TURN = 360.0f;
constexpr float HALF_TURN = 180.0f;
constexpr double ANIMATION_STEP = 3.0;
constexpr float DRIFT_STEP = 0.4f;

// Everything the frame, the handlers and the picture cycle share.
struct SceneState {
    float cycle_phase = 4.0f;     // 1 to 4; also the upper texture coordinate
    float turn_angle = 0.0f;      // about y, phases 1 and 3
    float tilt_angle = FULL_TURN; // about x, phases 2 and 4
    float drift = 0.0f;           // along z
    float speed = HOME_SPEED;
    int32_t current_picture = 99;
    float distance = HOME_DISTANCE;
    float view_roll = 0.0f;
    float view_pitch = 0.0f;
    float view_yaw = 0.0f;
    int32_t rotate_drag = 0;
    int32_t zoom_drag = 0;
    int32_t last_mouse_x = 0;
    int32_t last_mouse_y = 0;
};

extern SceneState scene;

// The animation without drawing: the end of a cycle (1 when it restarted the
// cycle, which then wants the next picture) and the advance after a drawn frame.
int32_t restart_cycle_if_ended();
void advance_animation();

// The scene in OpenGL alone: its fixed state, the projection for a window
// size, and one frame without presenting it (rollbox_scene).
void set_fixed_render_state();
void reshape_view(int32_t width, int32_t height);
void render_frame();
void apply_camera();
void draw_animated_cube();
void draw_cube();

// Key handlers.
void increase_distance();
void decrease_distance();
void decrease_pitch();
void increase_pitch();
void increase_yaw();
void decrease_yaw();
void reset_view();
void start_phase_1();
void start_phase_2();
void start_phase_3();
void start_phase_4();
void increase_speed();
void decrease_speed();

// Mouse handlers and the drag the idle step applies for the pointer at (x, y).
struct EventRecord;
void start_rotate_drag(EventRecord* event);
void stop_rotate_drag(EventRecord* event);
void start_zoom_drag(EventRecord* event);
void stop_zoom_drag(EventRecord* event);
void apply_mouse_drag(int32_t x, int32_t y);

// The display hook (a frame, presented) and the idle step.
void draw_frame();
void idle_step();

// Start-up: the window with its state, hooks and bindings (0 when no window
// could be opened), and the whole run, giving the exit code.
int32_t init_scene();
int run_demo();
