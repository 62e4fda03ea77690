// The local date and time of day, to the second.
#pragma once

namespace lyrics {

struct LocalTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

LocalTime CurrentLocalTime();

}  // namespace lyrics
