#include "common/number_text.h"

namespace lyrics {

wchar_t UserDecimalSeparator() { return L'.'; }

}  // namespace lyrics
