#include "printing/PageRange.h"

#include <algorithm>

PageRange PageRange::of(int pageCount, int firstPage, int lastPage)
{
    if (pageCount <= 0)
        return {1, 0};
    PageRange range;
    range.first = std::clamp(firstPage, 1, pageCount);
    range.last = lastPage <= 0 ? pageCount : std::clamp(std::max(lastPage, firstPage), 1, pageCount);
    return range;
}
