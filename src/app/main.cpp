// zanpel: the bar.
#include "app/program.h"

int main(int argc, char** argv) {
    return zanpel::RunProgram(argc, argv);
}
