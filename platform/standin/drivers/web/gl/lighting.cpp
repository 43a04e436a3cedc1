// OpenGL's lighting equation for the light and material the program has: the
// defaults. Light 0 shines white along -z of eye space from infinitely far
// (position (0, 0, 1, 0)), with no ambient part; the material reflects 0.2 of
// the ambient light, 0.8 of the diffuse and nothing specular; the scene's
// ambient light is 0.2. The viewer is infinitely far, one side is lit.
#include <algorithm>
#include <cmath>

#include "platform/standin/drivers/web/gl/fixed_function.h"

static const GLfloat SCENE_AMBIENT = 0.2f;
static const GLfloat MATERIAL_AMBIENT = 0.2f;
static const GLfloat MATERIAL_DIFFUSE = 0.8f;
static const GLfloat LIGHT0_DIRECTION[3] = {0, 0, 1};

void light_vertex(const GLfloat eye_normal[3], GLfloat colour[4])
{
    GLfloat n[3] = {eye_normal[0], eye_normal[1], eye_normal[2]};
    if (fixed_function.normalize) {
        GLfloat length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0)
            for (GLfloat& component : n) component /= length;
    }
    GLfloat lit = SCENE_AMBIENT * MATERIAL_AMBIENT;
    if (fixed_function.light0) {
        GLfloat facing = n[0] * LIGHT0_DIRECTION[0] + n[1] * LIGHT0_DIRECTION[1] + n[2] * LIGHT0_DIRECTION[2];
        lit += std::max(facing, 0.0f) * MATERIAL_DIFFUSE;
    }
    lit = std::min(lit, 1.0f);
    colour[0] = colour[1] = colour[2] = lit;
    colour[3] = 1.0f; // the diffuse material's alpha
}
