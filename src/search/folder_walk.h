#pragma once
// State of the folder walk shared with the window: the stop flag.

// Set by the Stop button, by Escape and by the result limit; the walk tests it once per folder.
extern bool StopRequested;
