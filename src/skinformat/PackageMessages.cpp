#include "PackageMessages.h"
#include "PackageFormat.h"

namespace skinformat {

std::string DamagedMessage(std::string_view why)
{
    return "The skin package is damaged: " + std::string(why);
}

std::string TooLargeMessage(std::uintmax_t size)
{
    return DamagedMessage("it is " + std::to_string(size) + " bytes, at most " + std::to_string(kMaxPackageSize)
                          + " are allowed.");
}

} // namespace skinformat
