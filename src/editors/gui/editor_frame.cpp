#include "editors/gui/editor_frame.h"
