#pragma once

// Registers the program's compiled-in resources (icons, cursors, toolbar
// images, help pages). They live in a static library, so they must be pulled
// in explicitly; calling this more than once is harmless.
void EnsureResources();
