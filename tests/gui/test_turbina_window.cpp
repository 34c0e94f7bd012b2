// The workbench's view tests of this part (filled in with the part).
int RunTurbinaWindowTests(int, char**) { return 0; }
