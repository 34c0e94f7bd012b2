// batch calculation from the command line
