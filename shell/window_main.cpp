#include "shell/bivalo_app.h"

int main(int argc, char** argv)
{
    return shell::runWindowedApplication(argc, argv);
}
