// The scene's one set of variables, at their start-of-run values.
#include "demo/demo.h"

SceneState scene;
