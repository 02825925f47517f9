#include "Kolvemar_Trovix.h"

int main(int argc, char** argv) {
    return Kolvemar_Trovix::Main({argv + (argc > 0 ? 1 : 0), argv + argc});
}
