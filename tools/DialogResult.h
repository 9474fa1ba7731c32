#pragma once

// Results of a modal dialog.
enum : int { IDOK = 1, IDCANCEL = 2 };
