#include "Kolvemar_Trovix.h"

int main() {
    return Kolvemar_Trovix::Main();
}
