#include "db/ConnectionEvents.h"

ConnectionEvents& ConnectionEvents::instance()
{
    static ConnectionEvents events;
    return events;
}
