// The pointer settings through user32.
#include "platform/pointer.h"

#include <windows.h>

namespace platform {

Status PointerGetMouse(MouseParameters& parameters) {
    int values[3] = {};
    if (!SystemParametersInfoW(SPI_GETMOUSE, 0, values, 0))
        return Status(GetLastError());
    parameters = {values[0], values[1], values[2]};
    return Status();
}

Status PointerSetMouse(const MouseParameters& parameters, std::uint32_t flags) {
    int values[3] = {parameters[0], parameters[1], parameters[2]};
    return SystemParametersInfoW(SPI_SETMOUSE, 0, values, flags) ? Status()
                                                                 : Status(GetLastError());
}

}  // namespace platform
