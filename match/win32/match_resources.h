// Match.exe's resource ids, shared by its resource script and its code; a plain macro, since the
// resource compiler reads this file too.
#pragma once

#define IDI_MATCH 1
