// The output tests run in the same harness as the application tests: the editor's CSpecApp
// started by each test, its helpers, and dialogs that no test expects failing the test.
#include "tests/ui/app/test_main.cpp"  // NOLINT(bugprone-suspicious-include)
