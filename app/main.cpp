#include "app/justone.h"

int main(int argc, char** argv)
{
    return RunAddrina(argc, argv);
}
