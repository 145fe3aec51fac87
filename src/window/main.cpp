#include "window/program.h"

int main(int argc, char *argv[])
{
    return hearthvale::runProgram(argc, argv);
}
