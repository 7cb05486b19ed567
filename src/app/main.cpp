#include "Application.h"

int main(int argc, char **argv)
{
    return runMousecfg(argc, argv);
}
