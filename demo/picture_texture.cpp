// The picture on the cube: the sampling state of the context's default 2-D
// texture, its upload from an image slot, and the picture cycle.
#include "demo/demo.h"
#include "platform/gl.h"

void set_texture_sampling()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
    glEnable(GL_TEXTURE_2D);
}

// Rebuilds the whole mipmap chain, 512 x 512 down to 1 x 1, from one slot.
void upload_slot_texture(int32_t slot)
{
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, IMAGE_SIDE, IMAGE_SIDE, GL_RGB, GL_UNSIGNED_BYTE,
        image_bank.slots[slot].bytes);
}

// The next slot, back to 0 past the last one loaded; the initial 99 makes the
// first switch land on slot 0.
void switch_picture()
{
    int32_t next = scene.current_picture + 1;
    scene.current_picture = next;
    if (next > image_bank.last_loaded_index) {
        scene.current_picture = 0;
        upload_slot_texture(0);
    } else {
        upload_slot_texture(next);
    }
}
