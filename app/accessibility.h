#pragma once

// Qt describes its own widgets to screen readers; this adds what the
// program's own controls and windows need: the step arrows as a spin box with
// a value, lamps as status indicators, pictures as graphics, and the windows
// as windows. Safe to call more than once.
void installAccessibleInterfaces();
