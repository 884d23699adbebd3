#pragma once

// Keeps what a long session holds on to bounded: memory freed after a large
// analysis goes back to the system, and no drawing cache collects names. Applies
// to the whole process; calling it again changes nothing.
void limitHeldMemory();
