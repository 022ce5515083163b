#pragma once
#include "app/Assert.h"

// Registers the one live instance of a service so it can be reached from anywhere.
template <typename T>
class Singleton {
public:
    Singleton()
    {
        VX_ASSERT(!ms_Singleton);
        ms_Singleton = static_cast<T*>(this);
    }

    virtual ~Singleton()
    {
        VX_ASSERT(ms_Singleton);
        ms_Singleton = nullptr;
    }

    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    static T* GetSingletonPtr() { return ms_Singleton; }

protected:
    static inline T* ms_Singleton = nullptr;
};
