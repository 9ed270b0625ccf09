#include "app/QneticaApp.h"

int main(int argc, char** argv) {
    return qnetica::RunQnetica(argc, argv);
}
