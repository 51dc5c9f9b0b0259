// Start-up of the program: the command line, the settings and the forms.
#pragma once

// Runs the whole program; returns the process exit status.
int RunMarrowby(int argc, char** argv);
