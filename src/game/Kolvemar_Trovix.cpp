#include "Kolvemar_Trovix.h"

#include <iostream>

#include "Kolvemar_Constanten_en_Types.h"
#include "StandardLib.h"

namespace Kolvemar_Trovix {

int Main() {
    Kolvemar_Constanten_en_Types::Init();
    StandardLib::Init();
    std::cout << "\nWelcome on Kolvemar-Trovix" << std::endl;
    std::cout << "bye, thanks for playing" << std::endl;
    return 0;
}

} // namespace Kolvemar_Trovix
