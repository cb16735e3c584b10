#include "app/default_icon.h"

namespace quorvel {
namespace {

#include "app/icons/default_icon_16.xpm"
#include "app/icons/default_icon_32.xpm"
#include "app/icons/default_icon_48.xpm"

}  // namespace

const char* const* const kDefaultIcon16 = default_icon_16;
const char* const* const kDefaultIcon32 = default_icon_32;
const char* const* const kDefaultIcon48 = default_icon_48;

}  // namespace quorvel
