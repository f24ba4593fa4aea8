#include "app/UpdateServer.h"

UpdateServer& updateServer()
{
    static UpdateServer server;
    return server;
}
