#pragma once

// Runs the program's tests on a scratch data source of its own, or not at
// all; the exit status of a test program (77: skipped).
int RunTestsOnScratchSource(int argc, char** argv);
