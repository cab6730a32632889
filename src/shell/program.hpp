#pragma once
// The program entry with its command line; returns the process exit code.
int runProgram(int argc, char** argv);
