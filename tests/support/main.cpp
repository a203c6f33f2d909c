// The main of the test programs; a program that needs more before its tests
// run has a main of its own and calls RunTestsOnScratchSource itself.
#include "tests/support/ScratchTestRun.h"

int main(int argc, char** argv) { return RunTestsOnScratchSource(argc, argv); }
