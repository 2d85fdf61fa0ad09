#include "core/base/ThreadName.h"

#include <pthread.h>

void setCurrentThreadName(const std::string& name)
{
    const std::string shortName = name.substr(0, 15);
#ifdef __APPLE__
    pthread_setname_np(shortName.c_str());
#else
    pthread_setname_np(pthread_self(), shortName.c_str());
#endif
}
