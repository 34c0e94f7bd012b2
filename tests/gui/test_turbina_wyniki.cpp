// The workbench's view tests of this part (filled in with the part).
int RunTurbinaWynikiTests(int, char**) { return 0; }
