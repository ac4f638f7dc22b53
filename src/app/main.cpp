#include "app/startup.h"

int main(int argc, char** argv) { return pictavo::RunProgram(argc, argv); }
